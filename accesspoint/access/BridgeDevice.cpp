#include "accesspoint/access/BridgeDevice.h"

#include <cstdio>
#include <cstring>

BridgeDevice::BridgeDevice() : m_hDevice(INVALID_HANDLE_VALUE), m_bOpen(FALSE), m_dwIoBuffer(0)
{
    memset(&m_Overlapped, 0, sizeof(m_Overlapped));
}

BridgeDevice::~BridgeDevice()
{
    Close();
}

BOOL BridgeDevice::OpenBridgeDevice(LPCSTR pszName)
{
    Close();
    CString strPath = CString("\\\\.\\") + pszName;
    m_hDevice = CreateFileA(strPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                            FILE_FLAG_OVERLAPPED | FILE_FLAG_DELETE_ON_CLOSE, 0);
    if (m_hDevice == INVALID_HANDLE_VALUE)
        m_hDevice = CreateFileA(strPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED, 0);
    if (m_hDevice != INVALID_HANDLE_VALUE)
        m_Overlapped.hEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
    m_bOpen = m_hDevice != INVALID_HANDLE_VALUE && m_Overlapped.hEvent != 0;
    return m_bOpen;
}

void BridgeDevice::Close()
{
    if (m_hDevice != INVALID_HANDLE_VALUE)
    {
        CloseHandle(m_hDevice);
        m_hDevice = INVALID_HANDLE_VALUE;
    }
    if (m_Overlapped.hEvent != 0)
    {
        CloseHandle(m_Overlapped.hEvent);
        m_Overlapped.hEvent = 0;
    }
    m_bOpen = FALSE;
}

BOOL BridgeDevice::Control(DWORD dwCode, LPVOID pIn, DWORD cbIn, LPVOID pOut, DWORD cbOut,
                           LPDWORD pcbReturned, OVERLAPPED* pOverlapped)
{
    if (m_hDevice == INVALID_HANDLE_VALUE)
        return FALSE;
    return DeviceIoControl(m_hDevice, dwCode, pIn, cbIn, pOut, cbOut, pcbReturned,
                           pOverlapped != NULL ? pOverlapped : &m_Overlapped);
}

DWORD BridgeDevice::GetVersion()
{
    // The answer comes back in the request's own 4 bytes.
    m_dwIoBuffer = 0xFFFFFFFF;
    DWORD dwReturned = 0;
    if (!Control(BRIDGE_IOCTL_GET_VERSION, &m_dwIoBuffer, sizeof(m_dwIoBuffer), &m_dwIoBuffer,
                 sizeof(m_dwIoBuffer), &dwReturned))
        return 0xFFFFFFFF;
    return m_dwIoBuffer;
}

BOOL BridgeDevice::SetBridging(DWORD dwValue)
{
    if (GetVersion() != BRIDGE_INTERFACE_VERSION)
        return FALSE;
    fputs("\nThis version support bridging.\n", stdout);
    m_dwIoBuffer = dwValue;
    DWORD dwReturned = 0;
    return Control(BRIDGE_IOCTL_SET_BRIDGING, &m_dwIoBuffer, sizeof(m_dwIoBuffer), NULL, 0,
                   &dwReturned);
}

DWORD BridgeDevice::GetBridgingState()
{
    if (GetVersion() != BRIDGE_INTERFACE_VERSION)
    {
        fputs("\nThis version of driver does not support ethernet bridging.\n", stdout);
        return 0;
    }
    m_dwIoBuffer = 0;
    DWORD dwReturned = 0;
    if (!Control(BRIDGE_IOCTL_GET_STATE, NULL, 0, &m_dwIoBuffer, sizeof(m_dwIoBuffer), &dwReturned))
    {
        fputs("Failed to get bridging state.\n", stdout);
        return 0;
    }
    return m_dwIoBuffer;
}
