#include "platform/com/ComRuntime.h"

#include "machine/Machine.h"
#include "machine/network/SharingFaults.h"
#include "machine/wmi/DriverEvents.h"
#include "platform/base/StringConv.h"
#include "platform/sharing/SharingManager.h"
#include "platform/wmi/Wbem.h"

#include <atomic>
#include <cstdio>
#include <mutex>

namespace platform
{
namespace
{

struct ThreadCom
{
    int count = 0;
    DWORD model = 0;
};
thread_local ThreadCom t_com;

std::mutex g_securityLock;
SecurityInitialization g_security;

std::atomic<long> g_liveObjects{0};

using Factory = HRESULT (*)(REFIID riid, void** ppv);

struct ComClass
{
    const char16_t* progId;
    const CLSID* clsid;
    Factory create;
};

// The classes of the platform that programs create.
const ComClass kClasses[] = {
    {u"HNetCfg.HNetShare.1", &CLSID_NetSharingManager, &sharing::CreateSharingManager},
    {u"HNetCfg.HNetShare", &CLSID_NetSharingManager, &sharing::CreateSharingManager},
    {nullptr, &CLSID_WbemLocator, &wmi::CreateWbemLocator}, // found by CLSID only
};

std::string hex(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

void log(const std::string& line)
{
    machine::network::AppendSharingLog(machine::CurrentMachine(), line);
}

bool equalNoCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        char16_t x = a[i] >= u'A' && a[i] <= u'Z' ? a[i] - u'A' + u'a' : a[i];
        char16_t y = b[i] >= u'A' && b[i] <= u'Z' ? b[i] - u'A' + u'a' : b[i];
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

long LiveComObjects()
{
    return g_liveObjects.load();
}

namespace com_detail
{
void ObjectCreated()
{
    ++g_liveObjects;
}
void ObjectDestroyed()
{
    --g_liveObjects;
}
} // namespace com_detail

std::string GuidText(const GUID& g)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

SecurityInitialization ComSecurity()
{
    std::lock_guard guard(g_securityLock);
    return g_security;
}

int ComInitCount()
{
    return t_com.count;
}

void ResetComSecurity()
{
    std::lock_guard guard(g_securityLock);
    g_security = {};
}

} // namespace platform

HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit)
{
    using namespace platform;
    const DWORD model = dwCoInit & COINIT_APARTMENTTHREADED;
    HRESULT hr;
    if (auto failure = machine::wmi::TakeWmiFailure(machine::CurrentMachine(),
                                                    machine::wmi::WmiStep::Initialize))
        hr = static_cast<HRESULT>(*failure);
    else if (t_com.count > 0 && t_com.model != model)
        hr = RPC_E_CHANGED_MODE;
    else
    {
        hr = t_com.count == 0 ? S_OK : S_FALSE;
        t_com.model = model;
        ++t_com.count;
    }
    log("CoInitialize -> " + hex(hr));
    return hr;
}

HRESULT CoInitialize(LPVOID pvReserved)
{
    return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

void CoUninitialize()
{
    using namespace platform;
    if (t_com.count > 0)
        --t_com.count;
    log("CoUninitialize");
}

HRESULT CoInitializeSecurity(PSECURITY_DESCRIPTOR pSecDesc, LONG cAuthSvc,
                             SOLE_AUTHENTICATION_SERVICE* asAuthSvc, void* pReserved1,
                             DWORD dwAuthnLevel, DWORD dwImpLevel, void* pAuthList,
                             DWORD dwCapabilities, void* pReserved3)
{
    using namespace platform;
    HRESULT hr = S_OK;
    {
        std::lock_guard guard(g_securityLock);
        if (auto failure = machine::wmi::TakeWmiFailure(machine::CurrentMachine(),
                                                        machine::wmi::WmiStep::Security))
            hr = static_cast<HRESULT>(*failure);
        else if (g_security.done)
            hr = RPC_E_TOO_LATE;
        else
        {
            g_security.done = true;
            g_security.authServices = cAuthSvc;
            g_security.authnLevel = dwAuthnLevel;
            g_security.impLevel = dwImpLevel;
            g_security.capabilities = dwCapabilities;
            g_security.securityDescriptor = pSecDesc != nullptr;
        }
    }
    log("CoInitializeSecurity " + std::string(pSecDesc ? "sd" : "null") + " " +
        std::to_string(cAuthSvc) + " authn=" + std::to_string(dwAuthnLevel) + " imp=" +
        std::to_string(dwImpLevel) + " caps=" + std::to_string(dwCapabilities) + " -> " + hex(hr));
    return hr;
}

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid)
{
    using namespace platform;
    if (lpszProgID == nullptr || lpclsid == nullptr)
        return E_INVALIDARG;
    std::u16string_view progId(lpszProgID);
    HRESULT hr = CO_E_CLASSSTRING;
    for (const auto& c : kClasses)
        if (c.progId != nullptr && equalNoCase(progId, c.progId))
        {
            *lpclsid = *c.clsid;
            hr = S_OK;
            break;
        }
    if (FAILED(hr))
        *lpclsid = CLSID{};
    log("CLSIDFromProgID [" + Utf16ToUtf8(progId) + "] -> " + hex(hr));
    return hr;
}

HRESULT CLSIDFromProgID(const wchar_t* lpszProgID, LPCLSID lpclsid)
{
    if (lpszProgID == nullptr)
        return CLSIDFromProgID(static_cast<LPCOLESTR>(nullptr), lpclsid);
    std::u16string wide;
    for (const wchar_t* p = lpszProgID; *p != 0; ++p)
        wide += static_cast<char16_t>(*p);
    return CLSIDFromProgID(wide.c_str(), lpclsid);
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                         LPVOID* ppv)
{
    using namespace platform;
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    HRESULT hr = REGDB_E_CLASSNOTREG;
    if (t_com.count == 0)
        hr = CO_E_NOTINITIALIZED;
    else if (pUnkOuter != nullptr)
        hr = CLASS_E_NOAGGREGATION;
    else if ((dwClsContext & CLSCTX_INPROC_SERVER) != 0)
    {
        for (const auto& c : kClasses)
            if (*c.clsid == rclsid)
            {
                hr = c.create(riid, ppv);
                break;
            }
    }
    log("CoCreateInstance " + GuidText(rclsid) + " " + GuidText(riid) + " -> " + hex(hr));
    return hr;
}

int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax)
{
    std::string text = platform::GuidText(rguid);
    if (lpsz == nullptr || cchMax < static_cast<int>(text.size()) + 1)
        return 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        lpsz[i] = static_cast<OLECHAR>(text[i]);
    lpsz[text.size()] = 0;
    return static_cast<int>(text.size()) + 1;
}
