#include "adapter/system/ServiceControl.h"

#include <cstring>

CServiceHandles::CServiceHandles(LPCSTR lpszService, DWORD dwAccess) : m_hManager(0), m_hService(0)
{
    m_hManager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (m_hManager != 0)
        m_hService = OpenServiceA(m_hManager, lpszService, dwAccess);
}

CServiceHandles::~CServiceHandles()
{
    if (m_hService != 0)
        CloseServiceHandle(m_hService);
    if (m_hManager != 0)
        CloseServiceHandle(m_hManager);
}

BOOL CServiceHandles::QueryState(DWORD* pdwState) const
{
    if (m_hService == 0)
        return FALSE;
    SERVICE_STATUS status;
    memset(&status, 0, sizeof(status));
    if (!QueryServiceStatus(m_hService, &status))
        return FALSE;
    *pdwState = status.dwCurrentState;
    return TRUE;
}

BOOL CServiceHandles::StopUnlessStopped() const
{
    DWORD dwState = 0;
    if (!QueryState(&dwState))
        return FALSE;
    if (dwState != SERVICE_STOPPED)
    {
        SERVICE_STATUS status;
        memset(&status, 0, sizeof(status));
        ControlService(m_hService, SERVICE_CONTROL_STOP, &status);
    }
    return TRUE;
}
