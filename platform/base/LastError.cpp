#include "platform/base/WinError.h"

namespace
{
// Each thread keeps its own, as on the platform.
thread_local DWORD t_lastError = ERROR_SUCCESS;
} // namespace

DWORD GetLastError()
{
    return t_lastError;
}

void SetLastError(DWORD dwErrCode)
{
    t_lastError = dwErrCode;
}
