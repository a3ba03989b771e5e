#include "machine/certs/CertificateMaker.h"

#include "machine/certs/OpenSslObjects.h"

namespace machine::certs
{

struct MadeCertificate::Parts
{
    ossl::Key key;
    ossl::X509Ptr x509;
};

namespace
{

// UTF8String entries of any length: the size limits of the standard attributes are not checked,
// so that tests can make names longer than a field that shows them.
bool AddEntry(const CryptoLibrary& crypto, X509_NAME* name, const char* field,
              const std::string& value)
{
    return value.empty() ||
           crypto.X509_NAME_add_entry_by_txt(name, field, V_ASN1_UTF8STRING,
                                             reinterpret_cast<const unsigned char*>(value.c_str()),
                                             static_cast<int>(value.size()), -1, 0) == 1;
}

bool SetTime(const CryptoLibrary& crypto, ASN1_TIME* time, std::int64_t seconds)
{
    return crypto.ASN1_TIME_set(time, static_cast<time_t>(seconds)) != nullptr;
}

bool AddBasicConstraints(const CryptoLibrary& crypto, X509* x509, bool authority)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    crypto.X509V3_set_ctx(&context, x509, x509, nullptr, nullptr, 0);
    ossl::Extension extension(crypto.X509V3_EXT_conf_nid(
        nullptr, &context, NID_basic_constraints, authority ? "critical,CA:TRUE" : "CA:FALSE"));
    return extension && crypto.X509_add_ext(x509, extension.get(), -1) == 1;
}

} // namespace

MadeCertificate::MadeCertificate(std::unique_ptr<Parts> parts, Bytes der)
    : m_parts(std::move(parts)), m_der(std::move(der))
{
}

MadeCertificate::~MadeCertificate() = default;

std::unique_ptr<MadeCertificate> MadeCertificate::SelfSigned(const CertificateFields& fields)
{
    return Make(fields, nullptr);
}

std::unique_ptr<MadeCertificate> MadeCertificate::Issue(const CertificateFields& fields) const
{
    return Make(fields, this);
}

std::unique_ptr<MadeCertificate> MadeCertificate::Make(const CertificateFields& fields,
                                                       const MadeCertificate* issuer)
{
    const CryptoLibrary* crypto = Crypto();
    if (crypto == nullptr)
        return nullptr;
    auto parts = std::make_unique<Parts>();
    // What EVP_EC_gen("P-256") expands to.
    parts->key.reset(crypto->EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
    parts->x509.reset(crypto->X509_new());
    X509* x509 = parts->x509.get();
    if (!parts->key || !x509)
        return nullptr;
    ossl::Name subject(crypto->X509_NAME_new());
    if (!subject || !AddEntry(*crypto, subject.get(), "O", fields.organization) ||
        !AddEntry(*crypto, subject.get(), "CN", fields.commonName))
        return nullptr;
    X509* signer = issuer != nullptr ? issuer->m_parts->x509.get() : x509;
    EVP_PKEY* signingKey = issuer != nullptr ? issuer->m_parts->key.get() : parts->key.get();
    const CryptoLibrary& c = *crypto;
    const bool made =
        c.X509_set_version(x509, 2) == 1 &&
        c.ASN1_INTEGER_set_uint64(c.X509_get_serialNumber(x509), fields.serial) == 1 &&
        c.X509_set_subject_name(x509, subject.get()) == 1 &&
        c.X509_set_issuer_name(x509, issuer != nullptr ? c.X509_get_subject_name(signer)
                                                       : subject.get()) == 1 &&
        SetTime(c, c.X509_getm_notBefore(x509), fields.notBefore) &&
        SetTime(c, c.X509_getm_notAfter(x509), fields.notAfter) &&
        c.X509_set_pubkey(x509, parts->key.get()) == 1 &&
        AddBasicConstraints(c, x509, fields.authority) &&
        c.X509_sign(x509, signingKey, c.EVP_sha256()) > 0;
    if (!made)
        return nullptr;
    unsigned char* out = nullptr;
    const int length = c.i2d_X509(x509, &out);
    if (length <= 0)
        return nullptr;
    Bytes der(out, out + length);
    c.Free(out);
    return std::unique_ptr<MadeCertificate>(new MadeCertificate(std::move(parts), std::move(der)));
}

} // namespace machine::certs
