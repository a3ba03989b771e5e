#pragma once
// At most one of the two configuration programs runs: each takes the mutex "KQ21" at start, and
// a second start asks the running one, through its monitor window "Vantir Wireless UI", to open
// its configuration window.

#include "platform/Windows.h"

// The mutex, held for the program's life; 0 when another instance holds it: ID_TRAY_LAUNCH has
// then been posted to the running one's monitor window (when there is one) and this instance
// ends.
HANDLE ClaimSingleInstance();

// Closes the mutex and sets the handle to 0: the mutex is never owned, so closing the handle is
// what releases it.
void ReleaseSingleInstance(HANDLE& hMutex);

// TRUE when the command tail asks for the notification area only: "-S" or "-s", nothing else.
BOOL IsTrayOnlyCommandTail(LPCSTR pszTail);
