#include "client/profiles/CertSelections.h"

#include "client/monitor/ClientGlobals.h"
#include "client/profiles/SelCertDlg.h"

#include <cstring>

namespace
{

// Its texts; its hash is the server certificate hash.
CertDesc g_CaCertDesc;

} // namespace

CertDesc GetCaCertDesc()
{
    CertDesc desc = g_CaCertDesc;
    desc.cbHash = 0;
    memset(desc.abHash, 0, sizeof desc.abHash);
    if (g_pServerCertData != NULL && g_nServerCertLen > 0 &&
        g_nServerCertLen <= CERT_DESC_HASH_SIZE)
    {
        desc.cbHash = static_cast<DWORD>(g_nServerCertLen);
        memcpy(desc.abHash, g_pServerCertData, g_nServerCertLen);
    }
    return desc;
}

void SetCaCertDesc(const CertDesc& desc)
{
    g_CaCertDesc = desc;
    int nLen = desc.cbHash <= CERT_DESC_HASH_SIZE ? static_cast<int>(desc.cbHash) : 0;
    SetCertDataLength(&g_pServerCertData, &g_nServerCertLen, nLen);
    if (g_pServerCertData != NULL)
        memcpy(g_pServerCertData, desc.abHash, g_nServerCertLen);
}

void ClearCertSelections()
{
    g_SelCertDlg.m_InputDesc = CertDesc();
    g_SelCertDlg.m_OutputDesc = CertDesc();
    SetCaCertDesc(CertDesc());
}
