#pragma once
// The Ethernet bridge driver, opened as the device "\\.\NBRG": its interface version, whether
// bridging is on, and the switch that turns it on. The handle is overlapped; a request that
// does not complete at once counts as failed and nothing waits for it.

#include "platform/Windows.h"

// Control codes: device type 0x8000, functions 0, 1 and 2, buffered, any access.
#define BRIDGE_DEVICE_TYPE 0x8000
#define BRIDGE_IOCTL_GET_VERSION CTL_CODE(BRIDGE_DEVICE_TYPE, 0, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define BRIDGE_IOCTL_SET_BRIDGING CTL_CODE(BRIDGE_DEVICE_TYPE, 1, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define BRIDGE_IOCTL_GET_STATE CTL_CODE(BRIDGE_DEVICE_TYPE, 2, METHOD_BUFFERED, FILE_ANY_ACCESS)

// The only interface version the program speaks.
#define BRIDGE_INTERFACE_VERSION 2

// One object per use, a local of its caller; closed when it goes.
class BridgeDevice
{
public:
    BridgeDevice();
    ~BridgeDevice();
    BridgeDevice(const BridgeDevice&) = delete;
    BridgeDevice& operator=(const BridgeDevice&) = delete;

    // Opens "\\.\" + the name (delete-on-close first, then without it) and creates the
    // request's event. TRUE when both exist.
    BOOL OpenBridgeDevice(LPCSTR pszName);
    void Close();
    BOOL IsOpen() const { return m_bOpen; }

    // DeviceIoControl on the handle, with the object's OVERLAPPED when none is given. FALSE
    // when the handle is invalid or the request did not complete at once.
    BOOL Control(DWORD dwCode, LPVOID pIn, DWORD cbIn, LPVOID pOut, DWORD cbOut,
                 LPDWORD pcbReturned, OVERLAPPED* pOverlapped = NULL);

    // The interface version; 0xFFFFFFFF when the request failed.
    DWORD GetVersion();
    // Switches bridging (1 = on) on a version-2 driver; FALSE otherwise.
    BOOL SetBridging(DWORD dwValue);
    // Nonzero when bridging is on; 0 when it is off, the version is not 2 or the request failed.
    DWORD GetBridgingState();

private:
    HANDLE m_hDevice;
    OVERLAPPED m_Overlapped;
    BOOL m_bOpen;
    // The requests' buffers live with the object, not on the caller's stack: the driver may
    // still hold them when a request did not complete at once.
    DWORD m_dwIoBuffer;
};
