#pragma once
// Event objects. A named event is shared by the handles of this process that open the same name
// (GetLastError() is ERROR_ALREADY_EXISTS for the later ones); names do not reach other
// processes, which the programs never need.

#include "platform/base/Waitable.h"
#include "platform/base/WinTypes.h"

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                    LPCSTR lpName);
BOOL SetEvent(HANDLE hEvent);
BOOL ResetEvent(HANDLE hEvent);
