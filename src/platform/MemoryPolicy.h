#pragma once

// How the program's memory behaves while photos are decoded on worker threads.
//
// glibc gives every thread that allocates an arena of its own, and each arena keeps
// the high-water mark of the photos decoded on it; with a page's pictures decoded in
// parallel that nearly doubles the memory of a print run. Two arenas, and freed memory
// handed back after each page, keep a run near one page's worth. Both do nothing on
// other C libraries.

// Idempotent; takes effect for threads that allocate after the call.
void LimitAllocationArenas();

// Returns memory freed by a finished page to the system.
void ReleaseFreedMemory();
