#pragma once
// Suspends the calling thread.

#include "platform/base/WinTypes.h"

// INFINITE never returns; 0 gives up the rest of the time slice.
void Sleep(DWORD dwMilliseconds);
