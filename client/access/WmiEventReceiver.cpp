#include "client/access/WmiEventReceiver.h"

CMySink::CMySink() : m_hNotifyWnd(0), m_lRef(1) {}

CMySink::~CMySink() {}

HRESULT CMySink::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IWbemObjectSink)
    {
        *ppv = (IWbemObjectSink*)this;
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

ULONG CMySink::AddRef()
{
    return (ULONG)++m_lRef;
}

ULONG CMySink::Release()
{
    LONG lRef = --m_lRef;
    if (lRef == 0)
        delete this;
    return (ULONG)lRef;
}

HRESULT CMySink::Indicate(LONG lObjectCount, IWbemClassObject** apObjArray)
{
    for (LONG i = 0; i < lObjectCount && apObjArray != NULL; i++)
    {
        if (apObjArray[i] == NULL)
            break;
        VARIANT vtProp;
        VariantInit(&vtProp);
        HRESULT hr = apObjArray[i]->Get(u"__CLASS", 0, &vtProp, 0, 0);
        if (FAILED(hr))
        {
            VariantClear(&vtProp);
            break;
        }
        if (vtProp.vt == VT_BSTR && vtProp.bstrVal != NULL &&
            std::u16string_view(vtProp.bstrVal, SysStringLen(vtProp.bstrVal)) ==
                u"VnWLANMessageEvent")
            PostMessageA(m_hNotifyWnd, WM_DRIVER_EVENT, 0, 0);
        VariantClear(&vtProp);
    }
    return 0;
}

HRESULT CMySink::SetStatus(LONG lFlags, HRESULT hResult, BSTR strParam, IWbemClassObject* pObjParam)
{
    return 0;
}

WmiEventReceiver::WmiEventReceiver()
    : m_pLocator(NULL), m_pServices(NULL), m_bConnected(0), m_pSink(new CMySink), m_hNotifyWnd(0)
{
}

WmiEventReceiver::~WmiEventReceiver()
{
    DisconnectWmiEvents();
}

void WmiEventReceiver::SetNotifyWindow(HWND hWnd)
{
    m_hNotifyWnd = hWnd;
}

int WmiEventReceiver::ConnectWmiEvents()
{
    if (FAILED(CoInitializeEx(NULL, COINIT_MULTITHREADED)))
        return 0;

    // Each failure below gives back what was obtained and balances the initialisation.
    if (FAILED(CoInitializeSecurity(NULL, -1, NULL, NULL, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                                    RPC_C_IMP_LEVEL_IMPERSONATE, NULL, EOAC_SECURE_REFS, NULL)))
    {
        CoUninitialize();
        return 0;
    }

    if (FAILED(CoCreateInstance(CLSID_WbemLocator, NULL, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                (LPVOID*)&m_pLocator)))
    {
        m_pLocator = NULL;
        CoUninitialize();
        return 0;
    }

    BSTR bstrNamespace = SysAllocString(u"ROOT\\WMI");
    HRESULT hr =
        m_pLocator->ConnectServer(bstrNamespace, NULL, NULL, NULL, 0, NULL, NULL, &m_pServices);
    SysFreeString(bstrNamespace);
    if (FAILED(hr))
    {
        m_pServices = NULL;
        m_pLocator->Release();
        m_pLocator = NULL;
        CoUninitialize();
        return 0;
    }

    m_pSink->m_hNotifyWnd = m_hNotifyWnd;
    BSTR bstrLanguage = SysAllocString(u"WQL");
    BSTR bstrQuery = SysAllocString(u"SELECT * FROM VnWLANMessageEvent");
    hr = m_pServices->ExecNotificationQueryAsync(bstrLanguage, bstrQuery, 0, NULL, m_pSink);
    SysFreeString(bstrQuery);
    SysFreeString(bstrLanguage);
    if (FAILED(hr))
    {
        m_pServices->Release();
        m_pServices = NULL;
        m_pLocator->Release();
        m_pLocator = NULL;
        CoUninitialize();
        return 0;
    }

    m_bConnected = 1;
    return 1;
}

void WmiEventReceiver::DisconnectWmiEvents()
{
    if (m_bConnected)
    {
        m_pServices->CancelAsyncCall(m_pSink);
        m_pSink->Release();
        m_pServices->Release();
        m_pLocator->Release();
        CoUninitialize();
        m_bConnected = 0;
    }
    else if (m_pSink != NULL)
    {
        delete m_pSink;
    }
    m_pSink = NULL;
    m_pServices = NULL;
    m_pLocator = NULL;
}
