#include "uplink/ConnectionSharing.h"

#include <cstdio>

namespace
{

// COM and the sharing manager, as both operations begin; null when the manager cannot be
// created (COM is then still to be uninitialised).
INetSharingManager* BeginSharing()
{
    CoInitialize(NULL);
    // The process may already have its security set; either way the defaults do.
    CoInitializeSecurity(NULL, -1, NULL, NULL, RPC_C_AUTHN_LEVEL_PKT, RPC_C_IMP_LEVEL_IMPERSONATE,
                         NULL, EOAC_NONE, NULL);
    CLSID clsid;
    if (CLSIDFromProgID(u"HNetCfg.HNetShare.1", &clsid) != S_OK)
        return NULL;
    INetSharingManager* pNSM = NULL;
    if (CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_INetSharingManager,
                         (void**)&pNSM) != S_OK)
        return NULL;
    return pNSM;
}

// The enumerator over every connection, or null.
IEnumVARIANT* EnumEveryConnection(INetSharingManager* pNSM)
{
    INetSharingEveryConnectionCollection* pConnections = NULL;
    if (pNSM->get_EnumEveryConnection(&pConnections) != S_OK || pConnections == NULL)
        return NULL;
    IEnumVARIANT* pEnum = NULL;
    IUnknown* pUnk = NULL;
    if (pConnections->get__NewEnum(&pUnk) == S_OK && pUnk != NULL)
    {
        pUnk->QueryInterface(IID_IEnumVARIANT, (void**)&pEnum);
        pUnk->Release();
    }
    pConnections->Release();
    return pEnum;
}

// The connection's name or GUID text in the ANSI code page; FALSE when the properties cannot
// be had.
BOOL GetConnectionText(INetSharingManager* pNSM, INetConnection* pConn, int bGuid, CString& strText)
{
    INetConnectionProps* pProps = NULL;
    if (pNSM->get_NetConnectionProps(pConn, &pProps) != S_OK || pProps == NULL)
        return FALSE;
    BSTR bstr = NULL;
    HRESULT hr = bGuid ? pProps->get_Guid(&bstr) : pProps->get_Name(&bstr);
    if (hr == S_OK && bstr != NULL)
    {
        char szText[512] = {0};
        WideCharToMultiByte(CP_ACP, 0, bstr, -1, szText, sizeof(szText) - 1, NULL, NULL);
        strText = szText;
    }
    SysFreeString(bstr);
    pProps->Release();
    return TRUE;
}

} // namespace

int EnableConnectionSharing(LPCSTR lpszConnection, int nSharingType, int bMatchGuid)
{
    int nResult = 0;
    INetSharingManager* pNSM = BeginSharing();
    if (pNSM == NULL)
    {
        CoUninitialize();
        return 0;
    }
    IEnumVARIANT* pEnum = EnumEveryConnection(pNSM);
    if (pEnum != NULL)
    {
        BOOL bDone = FALSE;
        VARIANT v;
        VariantInit(&v);
        ULONG nFetched = 0;
        while (!bDone && pEnum->Next(1, &v, &nFetched) == S_OK && nFetched == 1)
        {
            if (v.vt == VT_UNKNOWN && v.punkVal != NULL)
            {
                INetConnection* pConn = NULL;
                v.punkVal->QueryInterface(IID_INetConnection, (void**)&pConn);
                CString strText;
                if (pConn != NULL && GetConnectionText(pNSM, pConn, bMatchGuid, strText) &&
                    _mbscmp((const unsigned char*)(LPCSTR)strText,
                            (const unsigned char*)lpszConnection) == 0)
                {
                    INetSharingConfiguration* pConfig = NULL;
                    if (pNSM->get_INetSharingConfigurationForINetConnection(pConn, &pConfig) ==
                            S_OK &&
                        pConfig != NULL)
                    {
                        if (pConfig->EnableSharing((SHARINGCONNECTIONTYPE)nSharingType) == S_OK)
                            nResult = 1;
                        pConfig->Release();
                        // The first connection of the name is the one: stop here.
                        bDone = TRUE;
                    }
                }
                if (pConn != NULL)
                    pConn->Release();
            }
            VariantClear(&v);
        }
        pEnum->Release();
    }
    pNSM->Release();
    CoUninitialize();
    return nResult;
}

int DisableAllConnectionSharing()
{
    INetSharingManager* pNSM = BeginSharing();
    if (pNSM == NULL)
    {
        CoUninitialize();
        return 1;
    }
    IEnumVARIANT* pEnum = EnumEveryConnection(pNSM);
    if (pEnum != NULL)
    {
        VARIANT v;
        VariantInit(&v);
        ULONG nFetched = 0;
        while (pEnum->Next(1, &v, &nFetched) == S_OK && nFetched == 1)
        {
            if (v.vt == VT_UNKNOWN && v.punkVal != NULL)
            {
                INetConnection* pConn = NULL;
                v.punkVal->QueryInterface(IID_INetConnection, (void**)&pConn);
                if (pConn != NULL)
                {
                    INetConnectionProps* pProps = NULL;
                    if (pNSM->get_NetConnectionProps(pConn, &pProps) != S_OK || pProps == NULL)
                    {
                        printf("failed to get NetConnectionProps!\r\n");
                    }
                    else
                    {
                        INetSharingConfiguration* pConfig = NULL;
                        if (pNSM->get_INetSharingConfigurationForINetConnection(pConn, &pConfig) ==
                                S_OK &&
                            pConfig != NULL)
                        {
                            VARIANT_BOOL bEnabled = VARIANT_FALSE;
                            if (pConfig->get_SharingEnabled(&bEnabled) == S_OK &&
                                bEnabled == VARIANT_TRUE)
                                pConfig->DisableSharing();
                            pConfig->Release();
                        }
                        pProps->Release();
                    }
                    pConn->Release();
                }
            }
            VariantClear(&v);
        }
        pEnum->Release();
    }
    pNSM->Release();
    CoUninitialize();
    return 1;
}
