#include "platform/device/DeviceIoControl.h"

#include "platform/base/WinError.h"

BOOL DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer, DWORD nInBufferSize,
                     LPVOID lpOutBuffer, DWORD nOutBufferSize, LPDWORD lpBytesReturned,
                     LPOVERLAPPED lpOverlapped)
{
    auto device = platform::LookupHandle<platform::DeviceObject>(hDevice);
    if (!device)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if ((lpInBuffer == nullptr && nInBufferSize != 0) ||
        (lpOutBuffer == nullptr && nOutBufferSize != 0))
    {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    // Without an OVERLAPPED the count is required, as the platform requires it.
    if (lpBytesReturned == nullptr && lpOverlapped == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD returned = 0;
    BOOL ok =
        device->ioControl(dwIoControlCode, static_cast<const BYTE*>(lpInBuffer), nInBufferSize,
                          static_cast<BYTE*>(lpOutBuffer), nOutBufferSize, &returned, lpOverlapped);
    if (lpBytesReturned != nullptr)
        *lpBytesReturned = returned;
    return ok;
}
