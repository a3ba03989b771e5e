#pragma once
// The component object model's basic types: class and interface identifiers, result codes, the
// class-context and security constants, and IUnknown.
//
// Interfaces are C++ abstract classes with the platform's method names. Objects count their
// references; one deletes itself when the last is released.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using LPCLSID = CLSID*;
using LPIID = IID*;
using OLECHAR = WCHAR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using PSECURITY_DESCRIPTOR = void*;

inline bool operator==(const GUID& a, const GUID& b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}
inline bool IsEqualGUID(REFGUID a, REFGUID b)
{
    return a == b;
}
inline bool IsEqualIID(REFIID a, REFIID b)
{
    return a == b;
}
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b)
{
    return a == b;
}

inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
inline constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);
inline constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
inline constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);
inline constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT RPC_E_CHANGED_MODE = static_cast<HRESULT>(0x80010106u);
inline constexpr HRESULT RPC_E_TOO_LATE = static_cast<HRESULT>(0x80010119u);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);

// Class contexts.
inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
inline constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
inline constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
inline constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
inline constexpr DWORD CLSCTX_SERVER =
    CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
inline constexpr DWORD CLSCTX_ALL = CLSCTX_SERVER | CLSCTX_INPROC_HANDLER;

// CoInitializeEx models.
inline constexpr DWORD COINIT_MULTITHREADED = 0x0;
inline constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;
inline constexpr DWORD COINIT_DISABLE_OLE1DDE = 0x4;
inline constexpr DWORD COINIT_SPEED_OVER_MEMORY = 0x8;

// CoInitializeSecurity.
inline constexpr DWORD RPC_C_AUTHN_LEVEL_DEFAULT = 0;
inline constexpr DWORD RPC_C_AUTHN_LEVEL_NONE = 1;
inline constexpr DWORD RPC_C_AUTHN_LEVEL_CONNECT = 2;
inline constexpr DWORD RPC_C_AUTHN_LEVEL_CALL = 3;
inline constexpr DWORD RPC_C_AUTHN_LEVEL_PKT = 4;
inline constexpr DWORD RPC_C_AUTHN_LEVEL_PKT_INTEGRITY = 5;
inline constexpr DWORD RPC_C_AUTHN_LEVEL_PKT_PRIVACY = 6;
inline constexpr DWORD RPC_C_IMP_LEVEL_DEFAULT = 0;
inline constexpr DWORD RPC_C_IMP_LEVEL_ANONYMOUS = 1;
inline constexpr DWORD RPC_C_IMP_LEVEL_IDENTIFY = 2;
inline constexpr DWORD RPC_C_IMP_LEVEL_IMPERSONATE = 3;
inline constexpr DWORD RPC_C_IMP_LEVEL_DELEGATE = 4;
inline constexpr DWORD EOAC_NONE = 0;
inline constexpr DWORD EOAC_SECURE_REFS = 0x2;
struct SOLE_AUTHENTICATION_SERVICE;

// {00000000-0000-0000-C000-000000000046}
inline constexpr IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class IUnknown
{
public:
    // E_POINTER without ppvObject; E_NOINTERFACE (and *ppvObject null) for an interface the
    // object does not have. A returned interface holds a reference.
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;

namespace platform
{

// COM objects of this process that are still alive (tests check that all were released).
long LiveComObjects();

namespace com_detail
{
void ObjectCreated();
void ObjectDestroyed();
} // namespace com_detail

} // namespace platform
