// The help page the program ships ("help/index.html" in the install folder),
// opened in the desktop's browser.
#pragma once

// Opens the page at the section named (empty: its top); false, with a status
// text, when the page is missing or cannot be opened.
bool OpenHelpPage(const char* section);
