#pragma once
// One X.509 certificate of a machine store: its DER bytes as stored, the friendly name kept
// beside it, and what libcrypto reads from the bytes (names, validity, serial, thumbprint).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::certs
{

using Bytes = std::vector<std::uint8_t>;
using Thumbprint = std::array<std::uint8_t, 20>; // SHA-1 of the DER bytes

// One attribute of a distinguished name, in the name's order: its object identifier in dotted
// form ("2.5.4.3" the common name) and its value as UTF-8.
struct NameAttribute
{
    std::string oid;
    std::string value;

    bool operator==(const NameAttribute&) const = default;
};

inline constexpr const char* kOidCommonName = "2.5.4.3";
inline constexpr const char* kOidOrganization = "2.5.4.10";
inline constexpr const char* kOidOrganizationalUnit = "2.5.4.11";
inline constexpr const char* kOidEmailAddress = "1.2.840.113549.1.9.1";

struct Certificate
{
    Bytes der;
    std::string friendlyName; // UTF-8; empty when the certificate has none
    // Read from the bytes.
    std::uint32_t version = 0; // as encoded: 0 for v1, 2 for v3
    Bytes serial;              // big-endian, as in the certificate
    std::string signatureAlgorithm;
    Bytes issuer; // the DER encoding of each name
    Bytes subject;
    std::vector<NameAttribute> issuerAttributes;
    std::vector<NameAttribute> subjectAttributes;
    std::int64_t notBefore = 0; // seconds since 1970-01-01 UTC
    std::int64_t notAfter = 0;
    Thumbprint thumbprint{};
};

// nullopt when the bytes are not exactly one DER certificate.
std::optional<Certificate> ReadCertificate(const Bytes& der, std::string friendlyName = {});

// A certificate file's DER: the first "CERTIFICATE" block of a PEM file, or the file itself
// when it is DER; nullopt when it is neither.
std::optional<Bytes> CertificateFileDer(const std::string& contents);

// The certificate as a PEM block.
std::string PemBlock(const Bytes& der);

// Upper-case hex, two digits a byte, as the machine tool shows and takes thumbprints.
std::string ThumbprintText(const Thumbprint& thumbprint);
std::optional<Thumbprint> ParseThumbprint(const std::string& text);

} // namespace machine::certs
