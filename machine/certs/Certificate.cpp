#include "machine/certs/Certificate.h"

#include "machine/certs/OpenSslObjects.h"
#include "machine/radio/Network.h"

#include <algorithm>
#include <cstring>

namespace machine::certs
{
namespace
{

std::string ObjectText(const CryptoLibrary& crypto, const ASN1_OBJECT* object)
{
    char text[128] = {};
    if (crypto.OBJ_obj2txt(text, sizeof text, object, 1) <= 0)
        return {};
    return text;
}

Bytes NameDer(const CryptoLibrary& crypto, const X509_NAME* name)
{
    unsigned char* out = nullptr;
    const int length = crypto.i2d_X509_NAME(name, &out);
    if (length <= 0)
        return {};
    Bytes der(out, out + length);
    crypto.Free(out);
    return der;
}

std::vector<NameAttribute> Attributes(const CryptoLibrary& crypto, const X509_NAME* name)
{
    std::vector<NameAttribute> attributes;
    for (int i = 0; i < crypto.X509_NAME_entry_count(name); ++i)
    {
        const X509_NAME_ENTRY* entry = crypto.X509_NAME_get_entry(name, i);
        NameAttribute a;
        a.oid = ObjectText(crypto, crypto.X509_NAME_ENTRY_get_object(entry));
        unsigned char* utf8 = nullptr;
        const int length =
            crypto.ASN1_STRING_to_UTF8(&utf8, crypto.X509_NAME_ENTRY_get_data(entry));
        if (length >= 0)
            a.value.assign(reinterpret_cast<const char*>(utf8), static_cast<std::size_t>(length));
        crypto.Free(utf8);
        attributes.push_back(std::move(a));
    }
    return attributes;
}

std::int64_t UnixSeconds(const CryptoLibrary& crypto, const ASN1_TIME* time)
{
    ossl::Asn1Time epoch(crypto.ASN1_TIME_set(nullptr, 0));
    int days = 0, seconds = 0;
    if (!epoch || crypto.ASN1_TIME_diff(&days, &seconds, epoch.get(), time) != 1)
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
    const CryptoLibrary* crypto = Crypto();
    if (crypto == nullptr)
        return std::nullopt;
    const unsigned char* at = der.data();
    ossl::X509Ptr x509(crypto->d2i_X509(nullptr, &at, static_cast<long>(der.size())));
    if (!x509 || at != der.data() + der.size())
        return std::nullopt;
    Certificate c;
    c.der = der;
    c.friendlyName = std::move(friendlyName);
    c.version = static_cast<std::uint32_t>(crypto->X509_get_version(x509.get()));
    const ASN1_INTEGER* serial = crypto->X509_get0_serialNumber(x509.get());
    const unsigned char* serialBytes = crypto->ASN1_STRING_get0_data(serial);
    c.serial.assign(serialBytes, serialBytes + crypto->ASN1_STRING_length(serial));
    const X509_ALGOR* algorithm = nullptr;
    crypto->X509_get0_signature(nullptr, &algorithm, x509.get());
    const ASN1_OBJECT* algorithmObject = nullptr;
    crypto->X509_ALGOR_get0(&algorithmObject, nullptr, nullptr, algorithm);
    c.signatureAlgorithm = ObjectText(*crypto, algorithmObject);
    const X509_NAME* issuer = crypto->X509_get_issuer_name(x509.get());
    const X509_NAME* subject = crypto->X509_get_subject_name(x509.get());
    c.issuer = NameDer(*crypto, issuer);
    c.subject = NameDer(*crypto, subject);
    c.issuerAttributes = Attributes(*crypto, issuer);
    c.subjectAttributes = Attributes(*crypto, subject);
    c.notBefore = UnixSeconds(*crypto, crypto->X509_get0_notBefore(x509.get()));
    c.notAfter = UnixSeconds(*crypto, crypto->X509_get0_notAfter(x509.get()));
    unsigned int length = 0;
    if (crypto->EVP_Digest(der.data(), der.size(), c.thumbprint.data(), &length, crypto->EVP_sha1(),
                           nullptr) != 1 ||
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
    const CryptoLibrary* crypto = Crypto();
    if (crypto == nullptr)
        return std::nullopt;
    ossl::Bio bio(crypto->BIO_new_mem_buf(contents.data(), static_cast<int>(contents.size())));
    if (!bio)
        return std::nullopt;
    for (;;)
    {
        char* name = nullptr;
        char* header = nullptr;
        unsigned char* data = nullptr;
        long length = 0;
        if (crypto->PEM_read_bio(bio.get(), &name, &header, &data, &length) != 1)
            return std::nullopt;
        std::optional<Bytes> der;
        if (IsCertificateBlock(name))
            der = Bytes(data, data + length);
        crypto->Free(name);
        crypto->Free(header);
        crypto->Free(data);
        if (der)
            return ReadCertificate(*der) ? der : std::nullopt;
    }
}

std::string PemBlock(const Bytes& der)
{
    const CryptoLibrary* crypto = Crypto();
    if (crypto == nullptr)
        return {};
    ossl::Bio bio(crypto->BIO_new(crypto->BIO_s_mem()));
    if (!bio || crypto->PEM_write_bio(bio.get(), PEM_STRING_X509, "", der.data(),
                                      static_cast<long>(der.size())) <= 0)
        return {};
    // What BIO_get_mem_data expands to.
    char* text = nullptr;
    const long length = crypto->BIO_ctrl(bio.get(), BIO_CTRL_INFO, 0, &text);
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
