// The process heap as the system sees it.
#pragma once

// Hands the free pages of the heap back to the system. The software GL
// driver allocates and frees tens of megabytes per frame while the window
// draws; the C library keeps what was freed, so the window at rest would
// go on holding its busiest frames' memory.
void ReleaseFreeHeapMemory();
