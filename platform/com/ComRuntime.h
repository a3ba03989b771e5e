#pragma once
// The component runtime of a process: initialisation per thread, process security, and the
// classes it can create (the platform's own in-process classes, found by ProgID or CLSID).
// Calls are written to the machine's sharing log (machine/network/SharingFaults.h).

#include "platform/com/ComTypes.h"

#include <string>

// S_OK for the thread's first call, S_FALSE for each further one (each needs its
// CoUninitialize); RPC_E_CHANGED_MODE when the thread already chose the other model.
HRESULT CoInitialize(LPVOID pvReserved);
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
void CoUninitialize();

// Process-wide and once: S_OK the first time, RPC_E_TOO_LATE after. The arguments are kept.
HRESULT CoInitializeSecurity(PSECURITY_DESCRIPTOR pSecDesc, LONG cAuthSvc,
                             SOLE_AUTHENTICATION_SERVICE* asAuthSvc, void* pReserved1,
                             DWORD dwAuthnLevel, DWORD dwImpLevel, void* pAuthList,
                             DWORD dwCapabilities, void* pReserved3);

// CO_E_CLASSSTRING for a ProgID no class has.
HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid);
// The same for a wide literal of the host compiler (L"HNetCfg.HNetShare.1").
HRESULT CLSIDFromProgID(const wchar_t* lpszProgID, LPCLSID lpclsid);

// CO_E_NOTINITIALIZED on a thread without CoInitialize; REGDB_E_CLASSNOTREG for an unknown class
// or a context without CLSCTX_INPROC_SERVER; CLASS_E_NOAGGREGATION with an outer object;
// E_NOINTERFACE when the object lacks riid. *ppv is null on failure.
HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                         LPVOID* ppv);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with the terminator: 39 characters; 0 when cchMax is
// too small.
int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);

namespace platform
{

// "{5C63C1AD-3956-4FF8-8486-40034758315B}".
std::string GuidText(const GUID& guid);
// The process's CoInitializeSecurity call, as it was made.
struct SecurityInitialization
{
    bool done = false;
    LONG authServices = 0;
    DWORD authnLevel = 0;
    DWORD impLevel = 0;
    DWORD capabilities = 0;
    bool securityDescriptor = false;
};
SecurityInitialization ComSecurity();
// Calls of CoInitialize(Ex) still to be undone on this thread.
int ComInitCount();
// For tests that run in one process: forgets the CoInitializeSecurity call, as a new process
// starts without one.
void ResetComSecurity();

} // namespace platform
