// What a context tells of its certificate: the names of its subject and issuer, its thumbprint
// and its friendly name.
#include "platform/crypt/WinCrypt.h"
#include "platform/crypt/internal/CertContexts.h"

#include "platform/base/StringConv.h"

#include <cstring>

namespace
{

using machine::certs::NameAttribute;

const std::string* FirstOf(const std::vector<NameAttribute>& name, const char* oid)
{
    for (const auto& a : name)
        if (a.oid == oid)
            return &a.value;
    return nullptr;
}

std::string SimpleDisplayName(const std::vector<NameAttribute>& name)
{
    for (const char* oid : {szOID_COMMON_NAME, szOID_ORGANIZATIONAL_UNIT_NAME,
                            szOID_ORGANIZATION_NAME, szOID_RSA_emailAddr})
        if (const std::string* value = FirstOf(name, oid))
            return *value;
    return name.empty() ? std::string() : name.front().value;
}

DWORD CopyName(const std::string& name, LPSTR out, DWORD cch)
{
    const auto needed = static_cast<DWORD>(name.size() + 1);
    if (out == nullptr || cch == 0)
        return needed;
    const DWORD count = needed < cch ? needed : cch;
    std::memcpy(out, name.data(), count - 1);
    out[count - 1] = '\0';
    return count;
}

BOOL CopyProperty(const void* data, DWORD size, void* out, DWORD* pcb)
{
    if (out == nullptr)
    {
        *pcb = size;
        return TRUE;
    }
    if (*pcb < size)
    {
        *pcb = size;
        SetLastError(ERROR_MORE_DATA);
        return FALSE;
    }
    std::memcpy(out, data, size);
    *pcb = size;
    return TRUE;
}

} // namespace

DWORD CertGetNameStringA(PCCERT_CONTEXT pCertContext, DWORD dwType, DWORD dwFlags, void* pvTypePara,
                         LPSTR pszNameString, DWORD cchNameString)
{
    auto certificate = platform::crypt::CertificateOfContext(pCertContext);
    std::string name;
    if (certificate)
    {
        const auto& attributes = (dwFlags & CERT_NAME_ISSUER_FLAG) != 0
                                     ? certificate->issuerAttributes
                                     : certificate->subjectAttributes;
        if (dwType == CERT_NAME_SIMPLE_DISPLAY_TYPE)
            name = SimpleDisplayName(attributes);
        else if (dwType == CERT_NAME_FRIENDLY_DISPLAY_TYPE)
            name = certificate->friendlyName.empty() ? SimpleDisplayName(attributes)
                                                     : certificate->friendlyName;
        else if (dwType == CERT_NAME_ATTR_TYPE && pvTypePara != nullptr)
        {
            if (const std::string* value =
                    FirstOf(attributes, static_cast<const char*>(pvTypePara)))
                name = *value;
        }
    }
    return CopyName(name, pszNameString, cchNameString);
}

BOOL CertGetCertificateContextProperty(PCCERT_CONTEXT pCertContext, DWORD dwPropId, void* pvData,
                                       DWORD* pcbData)
{
    auto certificate = platform::crypt::CertificateOfContext(pCertContext);
    if (!certificate || pcbData == nullptr)
    {
        SetLastError(static_cast<DWORD>(E_INVALIDARG));
        return FALSE;
    }
    if (dwPropId == CERT_SHA1_HASH_PROP_ID)
        return CopyProperty(certificate->thumbprint.data(),
                            static_cast<DWORD>(certificate->thumbprint.size()), pvData, pcbData);
    if (dwPropId == CERT_FRIENDLY_NAME_PROP_ID && !certificate->friendlyName.empty())
    {
        const std::u16string wide = platform::Utf8ToUtf16(certificate->friendlyName);
        return CopyProperty(wide.c_str(), static_cast<DWORD>((wide.size() + 1) * sizeof(char16_t)),
                            pvData, pcbData);
    }
    SetLastError(CRYPT_E_NOT_FOUND);
    return FALSE;
}
