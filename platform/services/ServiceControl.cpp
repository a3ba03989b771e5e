#include "platform/services/WinSvc.h"

#include "machine/AsciiCase.h"
#include "machine/Machine.h"
#include "machine/services/ServiceTable.h"
#include "platform/base/HandleMap.h"
#include "platform/base/Threads.h"
#include "platform/base/WinError.h"
#include "platform/security/Security.h"
#include "platform/wlan/WlanApi.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

namespace platform
{
namespace
{

namespace svc = machine::services;

constexpr DWORD kReadControl = 0x00020000;
constexpr DWORD kMaximumAllowed = 0x02000000;
constexpr DWORD kGenericAll = 0x10000000;
constexpr DWORD kGenericExecute = 0x20000000;
constexpr DWORD kGenericWrite = 0x40000000;
constexpr DWORD kGenericRead = 0x80000000;

// What each generic right means, and what a user who is no administrator may have.
struct RightsMap
{
    DWORD read, write, execute, all, user;
};
constexpr RightsMap kManagerRights = {
    SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE | SC_MANAGER_QUERY_LOCK_STATUS | kReadControl,
    SC_MANAGER_CREATE_SERVICE | SC_MANAGER_MODIFY_BOOT_CONFIG | kReadControl,
    SC_MANAGER_CONNECT | SC_MANAGER_LOCK | kReadControl,
    SC_MANAGER_ALL_ACCESS,
    SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE | SC_MANAGER_QUERY_LOCK_STATUS | kReadControl,
};
constexpr RightsMap kServiceRights = {
    SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS | SERVICE_ENUMERATE_DEPENDENTS |
        SERVICE_INTERROGATE | kReadControl,
    SERVICE_CHANGE_CONFIG | kReadControl,
    SERVICE_START | SERVICE_STOP | SERVICE_PAUSE_CONTINUE | SERVICE_USER_DEFINED_CONTROL |
        kReadControl,
    SERVICE_ALL_ACCESS,
    SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS | SERVICE_ENUMERATE_DEPENDENTS |
        SERVICE_INTERROGATE | SERVICE_USER_DEFINED_CONTROL | kReadControl,
};

struct ScObject
{
    bool manager = false;
    std::string service; // the service's name as the machine spells it
    DWORD access = 0;
};

// Never destroyed: threads still running at exit may close handles.
HandleMap<ScObject>& table()
{
    static auto* t = new HandleMap<ScObject>(0x00A10000);
    return *t;
}

std::string hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

void log(const std::string& line)
{
    try
    {
        svc::AppendServiceLog(machine::CurrentMachine(),
                              "pid " + std::to_string(GetCurrentProcessId()) + " " + line);
    }
    catch (const std::exception&)
    {
        // A log that cannot be written changes no result.
    }
}

BOOL fail(const std::string& call, DWORD error)
{
    log(call + " -> error " + std::to_string(error));
    SetLastError(error);
    return FALSE;
}

BOOL done(const std::string& call)
{
    log(call + " -> ok");
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

// The token's Administrators group, enabled and not deny-only: a filtered token does not count.
bool processIsAdministrator()
{
    PSID admins = nullptr;
    if (!AllocateAndInitializeSid(&SECURITY_NT_AUTHORITY, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &admins))
        return false;
    BOOL member = FALSE;
    BOOL ok = CheckTokenMembership(0, admins, &member);
    FreeSid(admins);
    return ok && member;
}

// The rights granted for the desired ones, or nullopt when some are not this user's to have.
std::optional<DWORD> grant(DWORD desired, const RightsMap& map)
{
    const DWORD allowed = processIsAdministrator() ? map.all | kReadControl : map.user;
    DWORD wanted =
        desired & ~(kMaximumAllowed | kGenericAll | kGenericExecute | kGenericWrite | kGenericRead);
    if (desired & kGenericRead)
        wanted |= map.read;
    if (desired & kGenericWrite)
        wanted |= map.write;
    if (desired & kGenericExecute)
        wanted |= map.execute;
    if (desired & kGenericAll)
        wanted |= map.all;
    if ((wanted & ~allowed) != 0)
        return std::nullopt;
    return desired & kMaximumAllowed ? allowed : wanted;
}

std::string quoted(LPCSTR text)
{
    return text == nullptr ? std::string("NULL") : "[" + std::string(text) + "]";
}

// The open service behind the handle, with the right the call needs; else the error.
struct ServiceLookup
{
    std::optional<ScObject> object;
    DWORD error = 0;
};
ServiceLookup lookupService(SC_HANDLE handle, DWORD right)
{
    ServiceLookup r;
    r.object = table().Find(handle);
    if (!r.object || r.object->manager)
    {
        r.object.reset();
        r.error = ERROR_INVALID_HANDLE;
    }
    else if ((r.object->access & right) != right)
    {
        r.object.reset();
        r.error = ERROR_ACCESS_DENIED;
    }
    return r;
}

SERVICE_STATUS statusOf(const svc::Service& s)
{
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_SHARE_PROCESS;
    status.dwCurrentState = s.state;
    status.dwControlsAccepted = s.state == svc::kRunning ? SERVICE_ACCEPT_STOP : 0;
    const bool pending = s.state == svc::kStartPending || s.state == svc::kStopPending;
    status.dwCheckPoint = pending ? 1 : 0;
    status.dwWaitHint = pending ? static_cast<DWORD>(svc::kTransitionMs) : 0;
    return status;
}

// The machine's present service of that name, or nullopt when the system has none now.
std::optional<svc::Service> current(const std::string& name)
{
    return svc::FindService(machine::CurrentMachine(), name);
}

} // namespace

std::size_t OpenServiceHandleCount()
{
    return table().Size();
}

} // namespace platform

SC_HANDLE OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess)
{
    using namespace platform;
    const std::string call = "OpenSCManagerA " + quoted(lpMachineName) + " " +
                             quoted(lpDatabaseName) + " access=" + hex(dwDesiredAccess);
    const machine::Machine& m = machine::CurrentMachine();
    if (!svc::HasServiceManager(m))
        return fail(call, ERROR_CALL_NOT_IMPLEMENTED);
    // Only this machine: a remote name reaches nothing.
    if (lpMachineName != nullptr && lpMachineName[0] != '\0')
        return fail(call, RPC_S_SERVER_UNAVAILABLE);
    if (lpDatabaseName != nullptr && !machine::EqualNoCase(lpDatabaseName, "ServicesActive"))
        return fail(call, ERROR_DATABASE_DOES_NOT_EXIST);
    auto access = grant(dwDesiredAccess, kManagerRights);
    if (!access)
        return fail(call, ERROR_ACCESS_DENIED);
    ScObject object;
    object.manager = true;
    object.access = *access;
    SC_HANDLE handle = table().Add(object);
    log(call + " -> " + hex(handle));
    SetLastError(ERROR_SUCCESS);
    return handle;
}

SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess)
{
    using namespace platform;
    const std::string call = "OpenServiceA " + hex(hSCManager) + " " + quoted(lpServiceName) +
                             " access=" + hex(dwDesiredAccess);
    auto manager = table().Find(hSCManager);
    if (!manager || !manager->manager)
        return fail(call, ERROR_INVALID_HANDLE);
    if (lpServiceName == nullptr || lpServiceName[0] == '\0')
        return fail(call, ERROR_INVALID_NAME);
    auto service = current(lpServiceName);
    if (!service)
        return fail(call, ERROR_SERVICE_DOES_NOT_EXIST);
    auto access = grant(dwDesiredAccess, kServiceRights);
    if (!access)
        return fail(call, ERROR_ACCESS_DENIED);
    ScObject object;
    object.service = service->name;
    object.access = *access;
    SC_HANDLE handle = table().Add(object);
    log(call + " -> " + hex(handle));
    SetLastError(ERROR_SUCCESS);
    return handle;
}

BOOL QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus)
{
    using namespace platform;
    std::string call = "QueryServiceStatus " + hex(hService);
    auto found = lookupService(hService, SERVICE_QUERY_STATUS);
    if (!found.object)
        return fail(call, found.error);
    call += " " + found.object->service;
    if (lpServiceStatus == nullptr)
        return fail(call, ERROR_INVALID_PARAMETER);
    auto service = current(found.object->service);
    if (!service)
        return fail(call, ERROR_SERVICE_DOES_NOT_EXIST);
    *lpServiceStatus = statusOf(*service);
    return done(call + " " + svc::StateName(service->state));
}

BOOL StartServiceA(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCSTR* lpServiceArgVectors)
{
    using namespace platform;
    std::string call = "StartServiceA " + hex(hService);
    auto found = lookupService(hService, SERVICE_START);
    if (!found.object)
        return fail(call, found.error);
    call += " " + found.object->service + " args=" + std::to_string(dwNumServiceArgs);
    if (dwNumServiceArgs != 0 && lpServiceArgVectors == nullptr)
        return fail(call, ERROR_INVALID_PARAMETER);
    if (DWORD error = svc::StartService(machine::CurrentMachine(), found.object->service))
        return fail(call, error);
    return done(call);
}

BOOL ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus)
{
    using namespace platform;
    std::string call = "ControlService " + hex(hService) + " control=" + std::to_string(dwControl);
    DWORD right = 0;
    switch (dwControl)
    {
    case SERVICE_CONTROL_STOP:
        right = SERVICE_STOP;
        break;
    case SERVICE_CONTROL_INTERROGATE:
        right = SERVICE_INTERROGATE;
        break;
    case SERVICE_CONTROL_PAUSE:
    case SERVICE_CONTROL_CONTINUE:
        right = SERVICE_PAUSE_CONTINUE;
        break;
    default:
        return fail(call, ERROR_INVALID_PARAMETER);
    }
    auto found = lookupService(hService, right);
    if (!found.object)
        return fail(call, found.error);
    call += " " + found.object->service;
    if (lpServiceStatus == nullptr)
        return fail(call, ERROR_INVALID_PARAMETER);
    const machine::Machine& m = machine::CurrentMachine();
    if (dwControl == SERVICE_CONTROL_STOP)
    {
        if (DWORD error = svc::StopService(m, found.object->service))
            return fail(call, error);
    }
    auto service = current(found.object->service);
    if (!service)
        return fail(call, ERROR_SERVICE_DOES_NOT_EXIST);
    if (dwControl == SERVICE_CONTROL_PAUSE || dwControl == SERVICE_CONTROL_CONTINUE)
        return fail(call, ERROR_INVALID_SERVICE_CONTROL); // these services cannot pause
    if (dwControl == SERVICE_CONTROL_INTERROGATE && service->state == svc::kStopped)
        return fail(call, ERROR_SERVICE_NOT_ACTIVE);
    *lpServiceStatus = statusOf(*service);
    return done(call + " " + svc::StateName(service->state));
}

BOOL ChangeServiceConfigA(SC_HANDLE hService, DWORD dwServiceType, DWORD dwStartType,
                          DWORD dwErrorControl, LPCSTR lpBinaryPathName, LPCSTR lpLoadOrderGroup,
                          LPDWORD lpdwTagId, LPCSTR lpDependencies, LPCSTR lpServiceStartName,
                          LPCSTR lpPassword, LPCSTR lpDisplayName)
{
    using namespace platform;
    std::string call = "ChangeServiceConfigA " + hex(hService);
    auto found = lookupService(hService, SERVICE_CHANGE_CONFIG);
    if (!found.object)
        return fail(call, found.error);
    call +=
        " " + found.object->service + " start-type=" +
        (dwStartType == SERVICE_NO_CHANGE ? std::string("no-change") : std::to_string(dwStartType));
    if (dwServiceType != SERVICE_NO_CHANGE || dwErrorControl != SERVICE_NO_CHANGE ||
        lpBinaryPathName != nullptr || lpLoadOrderGroup != nullptr || lpdwTagId != nullptr ||
        lpDependencies != nullptr || lpServiceStartName != nullptr || lpPassword != nullptr ||
        lpDisplayName != nullptr)
        return fail(call + " (more than the start type)", ERROR_INVALID_PARAMETER);
    if (dwStartType != SERVICE_NO_CHANGE)
        if (DWORD error =
                svc::SetStartType(machine::CurrentMachine(), found.object->service, dwStartType))
            return fail(call, error);
    return done(call);
}

BOOL CloseServiceHandle(SC_HANDLE hSCObject)
{
    using namespace platform;
    const std::string call = "CloseServiceHandle " + hex(hSCObject);
    if (!table().Take(hSCObject))
        return fail(call, ERROR_INVALID_HANDLE);
    return done(call);
}
