#pragma once
// A Windows service as both programs look at it: the service manager opened with all access,
// the service by name, both closed when the object goes.

#include "platform/Windows.h"

class CServiceHandles
{
public:
    // Both handles stay 0 when either does not open (a system without the service).
    CServiceHandles(LPCSTR lpszService, DWORD dwAccess);
    ~CServiceHandles();
    CServiceHandles(const CServiceHandles&) = delete;
    CServiceHandles& operator=(const CServiceHandles&) = delete;

    SC_HANDLE Service() const { return m_hService; }
    // The current state (SERVICE_RUNNING, ...); FALSE when it cannot be read.
    BOOL QueryState(DWORD* pdwState) const;
    // Sends the stop control unless the service is stopped already; FALSE when its state
    // cannot be read.
    BOOL StopUnlessStopped() const;

private:
    SC_HANDLE m_hManager;
    SC_HANDLE m_hService;
};
