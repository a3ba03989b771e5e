#pragma once
// The service manager: opening it and a service, reading a service's status, starting and
// stopping it, changing its start type. The services are the machine's
// (machine/services/ServiceTable.h), shared by every process; each call is written to the
// machine's service log.
//
// Only an administrator whose token holds the Administrators group enabled (not deny-only)
// gets the rights that change anything; another user may connect, read and query status.
// Asking for more fails with ERROR_ACCESS_DENIED. A system of the 9x family has no service
// manager: OpenSCManagerA fails with ERROR_CALL_NOT_IMPLEMENTED.

#include "platform/base/WinTypes.h"

// Results beyond the common ones (ERROR_SERVICE_DOES_NOT_EXIST is in WinError.h, and
// ERROR_SERVICE_NOT_ACTIVE in the WLAN API's header).
inline constexpr DWORD ERROR_INVALID_SERVICE_CONTROL = 1052;
inline constexpr DWORD ERROR_SERVICE_ALREADY_RUNNING = 1056;
inline constexpr DWORD ERROR_SERVICE_DISABLED = 1058;
inline constexpr DWORD ERROR_SERVICE_CANNOT_ACCEPT_CTRL = 1061;
inline constexpr DWORD ERROR_DATABASE_DOES_NOT_EXIST = 1065;
inline constexpr DWORD RPC_S_SERVER_UNAVAILABLE = 1722;

// Rights on the manager.
inline constexpr DWORD SC_MANAGER_CONNECT = 0x0001;
inline constexpr DWORD SC_MANAGER_CREATE_SERVICE = 0x0002;
inline constexpr DWORD SC_MANAGER_ENUMERATE_SERVICE = 0x0004;
inline constexpr DWORD SC_MANAGER_LOCK = 0x0008;
inline constexpr DWORD SC_MANAGER_QUERY_LOCK_STATUS = 0x0010;
inline constexpr DWORD SC_MANAGER_MODIFY_BOOT_CONFIG = 0x0020;
inline constexpr DWORD SC_MANAGER_ALL_ACCESS = 0x000F003F;

// Rights on a service.
inline constexpr DWORD SERVICE_QUERY_CONFIG = 0x0001;
inline constexpr DWORD SERVICE_CHANGE_CONFIG = 0x0002;
inline constexpr DWORD SERVICE_QUERY_STATUS = 0x0004;
inline constexpr DWORD SERVICE_ENUMERATE_DEPENDENTS = 0x0008;
inline constexpr DWORD SERVICE_START = 0x0010;
inline constexpr DWORD SERVICE_STOP = 0x0020;
inline constexpr DWORD SERVICE_PAUSE_CONTINUE = 0x0040;
inline constexpr DWORD SERVICE_INTERROGATE = 0x0080;
inline constexpr DWORD SERVICE_USER_DEFINED_CONTROL = 0x0100;
inline constexpr DWORD SERVICE_ALL_ACCESS = 0x000F01FF;

// Service types.
inline constexpr DWORD SERVICE_WIN32_OWN_PROCESS = 0x0010;
inline constexpr DWORD SERVICE_WIN32_SHARE_PROCESS = 0x0020;

// States.
inline constexpr DWORD SERVICE_STOPPED = 1;
inline constexpr DWORD SERVICE_START_PENDING = 2;
inline constexpr DWORD SERVICE_STOP_PENDING = 3;
inline constexpr DWORD SERVICE_RUNNING = 4;
inline constexpr DWORD SERVICE_CONTINUE_PENDING = 5;
inline constexpr DWORD SERVICE_PAUSE_PENDING = 6;
inline constexpr DWORD SERVICE_PAUSED = 7;

// Controls, and the controls a service accepts.
inline constexpr DWORD SERVICE_CONTROL_STOP = 1;
inline constexpr DWORD SERVICE_CONTROL_PAUSE = 2;
inline constexpr DWORD SERVICE_CONTROL_CONTINUE = 3;
inline constexpr DWORD SERVICE_CONTROL_INTERROGATE = 4;
inline constexpr DWORD SERVICE_ACCEPT_STOP = 0x0001;

// Start types and error control.
inline constexpr DWORD SERVICE_BOOT_START = 0;
inline constexpr DWORD SERVICE_SYSTEM_START = 1;
inline constexpr DWORD SERVICE_AUTO_START = 2;
inline constexpr DWORD SERVICE_DEMAND_START = 3;
inline constexpr DWORD SERVICE_DISABLED = 4;
inline constexpr DWORD SERVICE_ERROR_IGNORE = 0;
inline constexpr DWORD SERVICE_ERROR_NORMAL = 1;
inline constexpr DWORD SERVICE_NO_CHANGE = 0xFFFFFFFF;

struct SERVICE_STATUS
{
    DWORD dwServiceType;
    DWORD dwCurrentState;
    DWORD dwControlsAccepted;
    DWORD dwWin32ExitCode;
    DWORD dwServiceSpecificExitCode;
    DWORD dwCheckPoint;
    DWORD dwWaitHint;
};
static_assert(sizeof(SERVICE_STATUS) == 28);
using LPSERVICE_STATUS = SERVICE_STATUS*;

// NULL on failure (GetLastError tells why). Only the local machine and its active database.
SC_HANDLE OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess);
// NULL with ERROR_SERVICE_DOES_NOT_EXIST when the system has no service of that name.
SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess);
BOOL QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus);
// Arguments are not passed on. The service is start-pending on return.
BOOL StartServiceA(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCSTR* lpServiceArgVectors);
// SERVICE_CONTROL_STOP and SERVICE_CONTROL_INTERROGATE; the status after the control is
// written to *lpServiceStatus.
BOOL ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus);
// Changes only the start type; every other field must be SERVICE_NO_CHANGE or NULL (a
// service's account, path, group and display name are not the programs' to change).
BOOL ChangeServiceConfigA(SC_HANDLE hService, DWORD dwServiceType, DWORD dwStartType,
                          DWORD dwErrorControl, LPCSTR lpBinaryPathName, LPCSTR lpLoadOrderGroup,
                          LPDWORD lpdwTagId, LPCSTR lpDependencies, LPCSTR lpServiceStartName,
                          LPCSTR lpPassword, LPCSTR lpDisplayName);
BOOL CloseServiceHandle(SC_HANDLE hSCObject);

namespace platform
{

// Service handles this process holds open (tests look for leaks).
std::size_t OpenServiceHandleCount();

} // namespace platform
