#include "machine/certs/Certificate.h"

#include "machine/certs/OpenSslObjects.h"
#include "machine/radio/Network.h"

#include <openssl/pem.h>

#include <algorithm>
#include <cstring>

namespace machine::certs
{
namespace
{

std::string ObjectText(const ASN1_OBJECT* object)
{
    char text[128] = {};
    if (OBJ_obj2txt(text, sizeof text, object, 1) <= 0)
        return {};
    return text;
}

Bytes NameDer(const X509_NAME* name)
{
    unsigned char* out = nullptr;
    const int length = i2d_X509_NAME(name, &out);
    if (length <= 0)
        return {};
    Bytes der(out, out + length);
    OPENSSL_free(out);
    return der;
}

std::vector<NameAttribute> Attributes(const X509_NAME* name)
{
    std::vector<NameAttribute> attributes;
    for (int i = 0; i < X509_NAME_entry_count(name); ++i)
    {
        const X509_NAME_ENTRY* entry = X509_NAME_get_entry(name, i);
        NameAttribute a;
        a.oid = ObjectText(X509_NAME_ENTRY_get_object(entry));
        unsigned char* utf8 = nullptr;
        const int length = ASN1_STRING_to_UTF8(&utf8, X509_NAME_ENTRY_get_data(entry));
        if (length >= 0)
            a.value.assign(reinterpret_cast<const char*>(utf8), static_cast<std::size_t>(length));
        OPENSSL_free(utf8);
        attributes.push_back(std::move(a));
    }
    return attributes;
}

std::int64_t UnixSeconds(const ASN1_TIME* time)
{
    ossl::Asn1Time epoch(ASN1_TIME_set(nullptr, 0));
    int days = 0, seconds = 0;
    if (!epoch || ASN1_TIME_diff(&days, &seconds, epoch.get(), time) != 1)
        return 0;
    return static_cast<std::int64_t>(days) * 86400 + seconds;
}

bool IsCertificateBlock(const char* name)
{
    return std::strcmp(name, PEM_STRING_X509) == 0 || std::strcmp(name, PEM_STRING_X509_OLD) == 0;
}

} // namespace

std::optional<Certificate> ReadCertificate(const Bytes& der, std::string friendlyName)
{
    const unsigned char* at = der.data();
    ossl::X509Ptr x509(d2i_X509(nullptr, &at, static_cast<long>(der.size())));
    if (!x509 || at != der.data() + der.size())
        return std::nullopt;
    Certificate c;
    c.der = der;
    c.friendlyName = std::move(friendlyName);
    c.version = static_cast<std::uint32_t>(X509_get_version(x509.get()));
    const ASN1_INTEGER* serial = X509_get0_serialNumber(x509.get());
    const unsigned char* serialBytes = ASN1_STRING_get0_data(serial);
    c.serial.assign(serialBytes, serialBytes + ASN1_STRING_length(serial));
    const X509_ALGOR* algorithm = nullptr;
    X509_get0_signature(nullptr, &algorithm, x509.get());
    const ASN1_OBJECT* algorithmObject = nullptr;
    X509_ALGOR_get0(&algorithmObject, nullptr, nullptr, algorithm);
    c.signatureAlgorithm = ObjectText(algorithmObject);
    c.issuer = NameDer(X509_get_issuer_name(x509.get()));
    c.subject = NameDer(X509_get_subject_name(x509.get()));
    c.issuerAttributes = Attributes(X509_get_issuer_name(x509.get()));
    c.subjectAttributes = Attributes(X509_get_subject_name(x509.get()));
    c.notBefore = UnixSeconds(X509_get0_notBefore(x509.get()));
    c.notAfter = UnixSeconds(X509_get0_notAfter(x509.get()));
    unsigned int length = 0;
    if (EVP_Digest(der.data(), der.size(), c.thumbprint.data(), &length, EVP_sha1(), nullptr) !=
            1 ||
        length != c.thumbprint.size())
        return std::nullopt;
    return c;
}

std::optional<Bytes> CertificateFileDer(const std::string& contents)
{
    if (contents.find("-----BEGIN ") == std::string::npos)
    {
        Bytes der(contents.begin(), contents.end());
        if (!ReadCertificate(der))
            return std::nullopt;
        return der;
    }
    ossl::Bio bio(BIO_new_mem_buf(contents.data(), static_cast<int>(contents.size())));
    if (!bio)
        return std::nullopt;
    for (;;)
    {
        char* name = nullptr;
        char* header = nullptr;
        unsigned char* data = nullptr;
        long length = 0;
        if (PEM_read_bio(bio.get(), &name, &header, &data, &length) != 1)
            return std::nullopt;
        std::optional<Bytes> der;
        if (IsCertificateBlock(name))
            der = Bytes(data, data + length);
        OPENSSL_free(name);
        OPENSSL_free(header);
        OPENSSL_free(data);
        if (der)
            return ReadCertificate(*der) ? der : std::nullopt;
    }
}

std::string PemBlock(const Bytes& der)
{
    ossl::Bio bio(BIO_new(BIO_s_mem()));
    if (!bio || PEM_write_bio(bio.get(), PEM_STRING_X509, "", der.data(),
                              static_cast<long>(der.size())) <= 0)
        return {};
    char* text = nullptr;
    const long length = BIO_get_mem_data(bio.get(), &text);
    return std::string(text, static_cast<std::size_t>(length));
}

std::string ThumbprintText(const Thumbprint& thumbprint)
{
    return radio::ToHex(Bytes(thumbprint.begin(), thumbprint.end()));
}

std::optional<Thumbprint> ParseThumbprint(const std::string& text)
{
    // As people copy them: with or without blanks or colons between the bytes.
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
                 [](char c) { return c != ' ' && c != ':'; });
    auto bytes = radio::FromHex(digits);
    Thumbprint thumbprint{};
    if (!bytes || bytes->size() != thumbprint.size())
        return std::nullopt;
    std::copy(bytes->begin(), bytes->end(), thumbprint.begin());
    return thumbprint;
}

} // namespace machine::certs
