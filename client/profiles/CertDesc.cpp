#include "client/profiles/CertDesc.h"

#include "platform/system/DateFormat.h"

#include <cstring>
#include <vector>

namespace
{

// A text copied into a field, cut to fit and terminated.
void CopyText(char* pszField, LPCSTR pszText)
{
    size_t nLength = strnlen(pszText, CERT_DESC_TEXT - 1);
    memcpy(pszField, pszText, nLength);
    pszField[nLength] = '\0';
}

void ReadFriendlyName(PCCERT_CONTEXT pCert, CertDesc* pDesc)
{
    DWORD cbName = 0;
    if (!CertGetCertificateContextProperty(pCert, CERT_FRIENDLY_NAME_PROP_ID, NULL, &cbName) ||
        cbName < sizeof(WCHAR))
        return;
    std::vector<WCHAR> name(cbName / sizeof(WCHAR) + 1, 0);
    if (!CertGetCertificateContextProperty(pCert, CERT_FRIENDLY_NAME_PROP_ID, name.data(), &cbName))
        return;
    char szName[CERT_DESC_TEXT * 4] = {0};
    WideCharToMultiByte(CP_ACP, 0, name.data(), -1, szName, sizeof szName - 1, NULL, NULL);
    CopyText(pDesc->szFriendlyName, szName);
    pDesc->cbFriendlyName = static_cast<DWORD>(strlen(pDesc->szFriendlyName));
}

} // namespace

void MakeCertDesc(PCCERT_CONTEXT pCert, CertDesc* pDesc)
{
    *pDesc = CertDesc();
    CertGetNameStringA(pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, NULL, pDesc->szIssuedTo,
                       CERT_DESC_TEXT);
    CertGetNameStringA(pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, CERT_NAME_ISSUER_FLAG, NULL,
                       pDesc->szIssuedBy, CERT_DESC_TEXT);
    FILETIME local;
    SYSTEMTIME expiry;
    if (FileTimeToLocalFileTime(&pCert->pCertInfo->NotAfter, &local) &&
        FileTimeToSystemTime(&local, &expiry))
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &expiry, NULL, pDesc->szExpiredOn,
                       CERT_DESC_TEXT);
    ReadFriendlyName(pCert, pDesc);
    DWORD cbHash = sizeof pDesc->abHash;
    if (CertGetCertificateContextProperty(pCert, CERT_HASH_PROP_ID, pDesc->abHash, &cbHash))
        pDesc->cbHash = cbHash;
}

void AppendStoreCertDescs(LPCSTR pszStore, CCertDescArray& list)
{
    HCERTSTORE hStore = CertOpenSystemStoreA(0, pszStore);
    if (hStore == 0)
        return;
    PCCERT_CONTEXT pCert = NULL;
    while ((pCert = CertEnumCertificatesInStore(hStore, pCert)) != NULL)
    {
        CertDesc desc;
        MakeCertDesc(pCert, &desc);
        if (desc.szIssuedTo[0] != '\0')
            list.Add(desc);
    }
    CertCloseStore(hStore, 0);
}

BOOL IsSameCertDesc(const CertDesc& desc, const CertDesc& wanted)
{
    if (strcmp(desc.szExpiredOn, wanted.szExpiredOn) != 0 ||
        strcmp(desc.szIssuedBy, wanted.szIssuedBy) != 0 ||
        strcmp(desc.szIssuedTo, wanted.szIssuedTo) != 0)
        return FALSE;
    if (desc.cbFriendlyName != wanted.cbFriendlyName || wanted.cbFriendlyName > CERT_DESC_TEXT ||
        memcmp(desc.szFriendlyName, wanted.szFriendlyName, wanted.cbFriendlyName) != 0)
        return FALSE;
    if (desc.cbHash != wanted.cbHash)
        return FALSE;
    return wanted.cbHash == 0 || (wanted.cbHash <= CERT_DESC_HASH_SIZE &&
                                  memcmp(desc.abHash, wanted.abHash, wanted.cbHash) == 0);
}

PCCERT_CONTEXT FindClientCertificate(int nHashLen, const BYTE* pHash)
{
    if (pHash == NULL || nHashLen <= 0)
        return NULL;
    HCERTSTORE hStore = CertOpenSystemStoreA(0, "MY");
    if (hStore == 0)
        return NULL;
    CRYPT_HASH_BLOB hash;
    hash.cbData = static_cast<DWORD>(nHashLen);
    hash.pbData = const_cast<BYTE*>(pHash);
    PCCERT_CONTEXT pCert =
        CertFindCertificateInStore(hStore, X509_ASN_ENCODING, 0, CERT_FIND_SHA1_HASH, &hash, NULL);
    // The context keeps its store alive until the caller frees it.
    CertCloseStore(hStore, 0);
    return pCert;
}
