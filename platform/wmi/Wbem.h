#pragma once
// The management instrumentation's client interfaces, as far as programs use them: the locator
// that connects to a namespace, the namespace's services with asynchronous event queries, the
// class objects events arrive as, and the sink a program gives for them.
//
// The namespace is the machine's (machine/wmi/DriverEvents.h): "ROOT\WMI" with the wireless
// driver's event class. An event query delivers the driver's events to the sink in batches on
// a thread of the platform, never the caller's; the sink holds a reference while subscribed.
// Calls are written to the machine's WMI log.

#include "platform/com/Bstr.h"
#include "platform/com/ComTypes.h"
#include "platform/com/Variant.h"

using CIMTYPE = LONG;
inline constexpr CIMTYPE CIM_SINT32 = 3;
inline constexpr CIMTYPE CIM_STRING = 8;

inline constexpr HRESULT WBEM_S_NO_ERROR = 0;
inline constexpr HRESULT WBEM_E_FAILED = static_cast<HRESULT>(0x80041001u);
inline constexpr HRESULT WBEM_E_NOT_FOUND = static_cast<HRESULT>(0x80041002u);
inline constexpr HRESULT WBEM_E_INVALID_PARAMETER = static_cast<HRESULT>(0x80041008u);
inline constexpr HRESULT WBEM_E_NOT_SUPPORTED = static_cast<HRESULT>(0x8004100Cu);
inline constexpr HRESULT WBEM_E_INVALID_NAMESPACE = static_cast<HRESULT>(0x8004100Eu);
inline constexpr HRESULT WBEM_E_INVALID_CLASS = static_cast<HRESULT>(0x80041010u);
inline constexpr HRESULT WBEM_E_INVALID_QUERY = static_cast<HRESULT>(0x80041017u);
inline constexpr HRESULT WBEM_E_INVALID_QUERY_TYPE = static_cast<HRESULT>(0x80041018u);
inline constexpr HRESULT WBEM_E_CALL_CANCELLED = static_cast<HRESULT>(0x80041032u);

// IWbemObjectSink::SetStatus: the call has ended (hResult says how).
inline constexpr LONG WBEM_STATUS_COMPLETE = 0;
// IWbemClassObject::Get: where a property's value comes from.
inline constexpr LONG WBEM_FLAVOR_ORIGIN_SYSTEM = 0x40;

// Options of a call; not modelled, passed as null.
class IWbemContext;

// {DC12A681-737F-11CF-884D-00AA004B2E24}
class IWbemClassObject : public IUnknown
{
public:
    static constexpr IID kIid = {
        0xDC12A681, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
    // The property's value into *pVal (which the caller clears afterwards); WBEM_E_NOT_FOUND
    // for a property the object does not have. pType and plFlavor may be null.
    virtual HRESULT Get(LPCWSTR wszName, LONG lFlags, VARIANT* pVal, CIMTYPE* pType,
                        LONG* plFlavor) = 0;

protected:
    ~IWbemClassObject() = default;
};

// {7C857801-7381-11CF-884D-00AA004B2E24}
class IWbemObjectSink : public IUnknown
{
public:
    static constexpr IID kIid = {
        0x7C857801, 0x7381, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
    // A batch of objects; they stay the caller's (AddRef one to keep it).
    virtual HRESULT Indicate(LONG lObjectCount, IWbemClassObject** apObjArray) = 0;
    // The call's end: WBEM_STATUS_COMPLETE with its result (WBEM_E_CALL_CANCELLED once
    // cancelled).
    virtual HRESULT SetStatus(LONG lFlags, HRESULT hResult, BSTR strParam,
                              IWbemClassObject* pObjParam) = 0;

protected:
    ~IWbemObjectSink() = default;
};

// {9556DC99-828C-11CF-A37E-00AA003240C7}
class IWbemServices : public IUnknown
{
public:
    static constexpr IID kIid = {
        0x9556DC99, 0x828C, 0x11CF, {0xA3, 0x7E, 0x00, 0xAA, 0x00, 0x32, 0x40, 0xC7}};
    // Language "WQL" (else WBEM_E_INVALID_QUERY_TYPE) and "SELECT * FROM <class>" (else
    // WBEM_E_INVALID_QUERY) for an event class of the namespace (else WBEM_E_INVALID_CLASS).
    // From then on every event the driver raises reaches pResponseHandler's Indicate.
    virtual HRESULT ExecNotificationQueryAsync(const BSTR strQueryLanguage, const BSTR strQuery,
                                               LONG lFlags, IWbemContext* pCtx,
                                               IWbemObjectSink* pResponseHandler) = 0;
    // Ends every query delivering to pSink: when it returns no Indicate of them runs any more;
    // the sink gets SetStatus(WBEM_STATUS_COMPLETE, WBEM_E_CALL_CANCELLED) and its reference
    // back. WBEM_E_NOT_FOUND when no query delivers to it.
    virtual HRESULT CancelAsyncCall(IWbemObjectSink* pSink) = 0;

protected:
    ~IWbemServices() = default;
};

// {DC12A687-737F-11CF-884D-00AA004B2E24}
class IWbemLocator : public IUnknown
{
public:
    static constexpr IID kIid = {
        0xDC12A687, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
    // The namespace's services; WBEM_E_INVALID_NAMESPACE for a namespace the machine has not.
    // Names compare without regard to case. Credentials and authority are not modelled.
    virtual HRESULT ConnectServer(const BSTR strNetworkResource, const BSTR strUser,
                                  const BSTR strPassword, const BSTR strLocale, LONG lSecurityFlags,
                                  const BSTR strAuthority, IWbemContext* pCtx,
                                  IWbemServices** ppNamespace) = 0;

protected:
    ~IWbemLocator() = default;
};

inline constexpr IID IID_IWbemClassObject = IWbemClassObject::kIid;
inline constexpr IID IID_IWbemObjectSink = IWbemObjectSink::kIid;
inline constexpr IID IID_IWbemServices = IWbemServices::kIid;
inline constexpr IID IID_IWbemLocator = IWbemLocator::kIid;
// {44ACA674-E8FC-11D0-A07C-00C04FB68820}
inline constexpr IID IID_IWbemContext = {
    0x44ACA674, 0xE8FC, 0x11D0, {0xA0, 0x7C, 0x00, 0xC0, 0x4F, 0xB6, 0x88, 0x20}};
// {4590F811-1D3A-11D0-891F-00AA004B2E24}
inline constexpr CLSID CLSID_WbemLocator = {
    0x4590F811, 0x1D3A, 0x11D0, {0x89, 0x1F, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};

namespace platform::wmi
{

// The locator class's factory for CoCreateInstance.
HRESULT CreateWbemLocator(REFIID riid, void** ppv);

// Event queries of this process still delivering (tests check that all were cancelled).
long LiveEventQueries();

} // namespace platform::wmi
