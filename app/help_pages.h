// The help page the program ships ("help/index.html" in the install folder),
// opened in the desktop's browser.
#pragma once

// Opens the page at the section named (empty: its top); false, with a status
// text, when the page is missing or no browser can be started for it. When
// the browser's start fails later, the status line says so then, with the
// page's path.
bool OpenHelpPage(const char* section);
