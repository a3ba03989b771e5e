#pragma once
// Makes certificates with libcrypto, for the stores of a new machine and for tests: each with a
// new key of its own (EC P-256, quick to make), self-signed or issued by one made before.

#include "machine/certs/Certificate.h"

#include <memory>
#include <string>

namespace machine::certs
{

struct CertificateFields
{
    // Both empty: an empty subject.
    std::string commonName;
    std::string organization;
    std::int64_t notBefore = 0; // seconds since 1970-01-01 UTC
    std::int64_t notAfter = 0;
    std::uint64_t serial = 1;
    bool authority = false; // a CA certificate (basic constraints)
};

// A made certificate with its key, which can issue others.
class MadeCertificate
{
public:
    // Null when libcrypto fails.
    static std::unique_ptr<MadeCertificate> SelfSigned(const CertificateFields& fields);
    std::unique_ptr<MadeCertificate> Issue(const CertificateFields& fields) const;

    ~MadeCertificate();
    MadeCertificate(const MadeCertificate&) = delete;
    MadeCertificate& operator=(const MadeCertificate&) = delete;

    const Bytes& der() const { return m_der; }

private:
    struct Parts;
    explicit MadeCertificate(std::unique_ptr<Parts> parts, Bytes der);
    static std::unique_ptr<MadeCertificate> Make(const CertificateFields& fields,
                                                 const MadeCertificate* issuer);

    std::unique_ptr<Parts> m_parts;
    Bytes m_der;
};

} // namespace machine::certs
