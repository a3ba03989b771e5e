#pragma once
// The certificate functions of the crypto API, over the machine's system certificate stores
// ("MY", "ROOT", ...). A store handle holds what the store had when it was opened. Contexts are
// counted as the platform counts them: each context a call hands out is one reference, freed
// with CertFreeCertificateContext (the enumeration and the search free the context they are
// given); a closed store lives on until its last context is freed.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

#include <cstddef>

using HCRYPTPROV_LEGACY = std::uint32_t;

struct CRYPTOAPI_BLOB
{
    DWORD cbData;
    BYTE* pbData;
};
using CRYPT_INTEGER_BLOB = CRYPTOAPI_BLOB; // little-endian
using CRYPT_OBJID_BLOB = CRYPTOAPI_BLOB;
using CRYPT_HASH_BLOB = CRYPTOAPI_BLOB;
using CRYPT_DATA_BLOB = CRYPTOAPI_BLOB;
using CERT_NAME_BLOB = CRYPTOAPI_BLOB; // the DER encoding of the name

struct CRYPT_ALGORITHM_IDENTIFIER
{
    LPSTR pszObjId;
    CRYPT_OBJID_BLOB Parameters;
};

// The certificate's fields up to its subject; the key and the extensions are not kept.
struct CERT_INFO
{
    DWORD dwVersion; // CERT_V1, CERT_V3
    CRYPT_INTEGER_BLOB SerialNumber;
    CRYPT_ALGORITHM_IDENTIFIER SignatureAlgorithm;
    CERT_NAME_BLOB Issuer;
    FILETIME NotBefore; // UTC
    FILETIME NotAfter;
    CERT_NAME_BLOB Subject;
};
using PCERT_INFO = CERT_INFO*;

struct CERT_CONTEXT
{
    DWORD dwCertEncodingType;
    BYTE* pbCertEncoded;
    DWORD cbCertEncoded;
    PCERT_INFO pCertInfo;
    HCERTSTORE hCertStore;
};
using PCERT_CONTEXT = CERT_CONTEXT*;
using PCCERT_CONTEXT = const CERT_CONTEXT*;

inline constexpr DWORD X509_ASN_ENCODING = 0x00000001;
inline constexpr DWORD PKCS_7_ASN_ENCODING = 0x00010000;
inline constexpr DWORD CERT_V1 = 0;
inline constexpr DWORD CERT_V3 = 2;

// CertCloseStore: free the store and its contexts now; fail (CRYPT_E_PENDING_CLOSE) when
// contexts are still held (the store is closed all the same).
inline constexpr DWORD CERT_CLOSE_STORE_FORCE_FLAG = 0x00000001;
inline constexpr DWORD CERT_CLOSE_STORE_CHECK_FLAG = 0x00000002;

// CertFindCertificateInStore: the find types taken.
inline constexpr DWORD CERT_COMPARE_SHIFT = 16;
inline constexpr DWORD CERT_FIND_ANY = 0;
inline constexpr DWORD CERT_FIND_SHA1_HASH = 1 << CERT_COMPARE_SHIFT; // pvFindPara: CRYPT_HASH_BLOB
inline constexpr DWORD CERT_FIND_HASH = CERT_FIND_SHA1_HASH;

// CertGetNameStringA.
inline constexpr DWORD CERT_NAME_ATTR_TYPE = 3; // pvTypePara: the attribute's OID text
inline constexpr DWORD CERT_NAME_SIMPLE_DISPLAY_TYPE = 4;
inline constexpr DWORD CERT_NAME_FRIENDLY_DISPLAY_TYPE = 5;
inline constexpr DWORD CERT_NAME_ISSUER_FLAG = 0x00000001;
inline constexpr const char* szOID_COMMON_NAME = "2.5.4.3";
inline constexpr const char* szOID_ORGANIZATION_NAME = "2.5.4.10";
inline constexpr const char* szOID_ORGANIZATIONAL_UNIT_NAME = "2.5.4.11";
inline constexpr const char* szOID_RSA_emailAddr = "1.2.840.113549.1.9.1";

// CertGetCertificateContextProperty.
inline constexpr DWORD CERT_SHA1_HASH_PROP_ID = 3;
inline constexpr DWORD CERT_HASH_PROP_ID = CERT_SHA1_HASH_PROP_ID;
inline constexpr DWORD CERT_FRIENDLY_NAME_PROP_ID = 11; // UTF-16 with its terminator

inline constexpr DWORD CRYPT_E_NOT_FOUND = 0x80092004u;
inline constexpr DWORD CRYPT_E_PENDING_CLOSE = 0x8009200Fu;

// Null (the last error says why) when the store cannot be opened. hProv is not used.
HCERTSTORE CertOpenSystemStoreA(HCRYPTPROV_LEGACY hProv, LPCSTR szSubsystemProtocol);
BOOL CertCloseStore(HCERTSTORE hCertStore, DWORD dwFlags);

// The certificate after pPrevCertContext (which is freed), or the first for null; null with
// CRYPT_E_NOT_FOUND after the last.
PCCERT_CONTEXT CertEnumCertificatesInStore(HCERTSTORE hCertStore, PCCERT_CONTEXT pPrevCertContext);
// The next certificate after pPrevCertContext (which is freed) that matches; null with
// CRYPT_E_NOT_FOUND when none does.
PCCERT_CONTEXT CertFindCertificateInStore(HCERTSTORE hCertStore, DWORD dwCertEncodingType,
                                          DWORD dwFindFlags, DWORD dwFindType,
                                          const void* pvFindPara, PCCERT_CONTEXT pPrevCertContext);
PCCERT_CONTEXT CertDuplicateCertificateContext(PCCERT_CONTEXT pCertContext);
// TRUE, also for null.
BOOL CertFreeCertificateContext(PCCERT_CONTEXT pCertContext);

// A name of the certificate's subject (or issuer): for the simple display type the first common
// name, else organizational unit, organization or e-mail address, else the first attribute; the
// friendly display type is the friendly name, else the simple display. Returns the characters
// written with the terminator (the text is cut to fit), or the size needed for a null buffer;
// 1 and "" when the name has no such attribute.
DWORD CertGetNameStringA(PCCERT_CONTEXT pCertContext, DWORD dwType, DWORD dwFlags, void* pvTypePara,
                         LPSTR pszNameString, DWORD cchNameString);
// The property's bytes; *pcbData gets their count (a null pvData asks only for it). FALSE with
// ERROR_MORE_DATA when *pcbData is too small, CRYPT_E_NOT_FOUND when the certificate has no such
// property.
BOOL CertGetCertificateContextProperty(PCCERT_CONTEXT pCertContext, DWORD dwPropId, void* pvData,
                                       DWORD* pcbData);

namespace platform::crypt
{
// Contexts handed out and not freed, and stores not yet gone, in this process (tests).
std::size_t LiveCertificateContexts();
std::size_t LiveCertificateStores();
} // namespace platform::crypt
