#pragma once
// Control requests to devices opened by CreateFileA("\\.\NAME"). Each kind of device is a
// kernel object that answers its own control codes.

#include "platform/base/HandleTable.h"
#include "platform/base/WinTypes.h"
#include "platform/device/Overlapped.h"

// The NDIS query code; the adapter's driver also takes its sets through it.
inline constexpr DWORD IOCTL_NDIS_QUERY_GLOBAL_STATS = 0x00170002u;

// Control codes as drivers define them: device type, access, function and transfer method.
inline constexpr DWORD METHOD_BUFFERED = 0;
inline constexpr DWORD FILE_ANY_ACCESS = 0;
constexpr DWORD CTL_CODE(DWORD deviceType, DWORD function, DWORD method, DWORD access)
{
    return (deviceType << 16) | (access << 14) | (function << 2) | method;
}

BOOL DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer, DWORD nInBufferSize,
                     LPVOID lpOutBuffer, DWORD nOutBufferSize, LPDWORD lpBytesReturned,
                     LPOVERLAPPED lpOverlapped);

namespace platform
{

// A device behind a handle. `ioControl` answers like DeviceIoControl (last error set on
// failure); the buffers have been checked for null where their size is not 0.
class DeviceObject : public KernelObject
{
public:
    virtual BOOL ioControl(DWORD code, const BYTE* in, DWORD inSize, BYTE* out, DWORD outSize,
                           DWORD* returned, OVERLAPPED* overlapped) = 0;
};

} // namespace platform
