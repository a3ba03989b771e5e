// The machine's certificate stores: the set a new machine has, import, removal and the failure
// a store can be made to open with, over certificates libcrypto made.

#include "machine/certs/CertificateStore.h"
#include "machine/ErrorCodes.h"
#include "machine/certs/CertificateMaker.h"
#include "machine/certs/DefaultCertificates.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>
#include <openssl/sha.h>

#include <fstream>

namespace
{

namespace certs = machine::certs;
using certs::Certificate;

std::string CommonName(const std::vector<certs::NameAttribute>& name)
{
    for (const auto& a : name)
        if (a.oid == certs::kOidCommonName)
            return a.value;
    return "<none>";
}

certs::Bytes Made(const std::string& commonName, std::uint64_t serial)
{
    certs::CertificateFields fields;
    fields.commonName = commonName;
    fields.notBefore = 1700000000;
    fields.notAfter = 1900000000;
    fields.serial = serial;
    auto made = certs::MadeCertificate::SelfSigned(fields);
    return made ? made->der() : certs::Bytes{};
}

std::vector<Certificate> Open(const machine::Machine& m, const std::string& store)
{
    std::vector<Certificate> out;
    EXPECT_EQ(certs::OpenStore(m, store, out), 0u) << store;
    return out;
}

class CertificateStore : public ::testing::Test
{
protected:
    testing_support::TempMachine tm;
    const machine::Machine& m = tm.machine();
};

TEST_F(CertificateStore, ANewMachineHasTwoRootsOfOneSubjectAnUnnamedRootAndAClient)
{
    const auto roots = Open(m, "ROOT");
    ASSERT_EQ(roots.size(), 3u);
    const Certificate &root = roots[0], &renewed = roots[1], &unnamed = roots[2];
    EXPECT_EQ(CommonName(root.subjectAttributes), certs::kDefaultRootName);
    EXPECT_EQ(root.friendlyName, certs::kDefaultRootFriendlyName);
    EXPECT_EQ(root.subject, root.issuer);
    EXPECT_EQ(root.version, 2u);
    EXPECT_EQ(root.serial, certs::Bytes{1});
    EXPECT_EQ(root.notAfter, 2335262400); // 2044-01-01 12:00 UTC
    // Renewed: the same subject, another key, no friendly name.
    EXPECT_EQ(renewed.subject, root.subject);
    EXPECT_NE(renewed.thumbprint, root.thumbprint);
    EXPECT_EQ(renewed.friendlyName, "");
    EXPECT_TRUE(unnamed.subjectAttributes.empty());
    EXPECT_EQ(unnamed.friendlyName, certs::kDefaultEmptyRootFriendlyName);

    const auto mine = Open(m, "my"); // store names in any case
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(CommonName(mine[0].subjectAttributes), certs::kDefaultClientName);
    EXPECT_EQ(mine[0].issuer, root.subject);
    EXPECT_EQ(mine[0].friendlyName, certs::kDefaultClientFriendlyName);
    EXPECT_EQ(mine[0].signatureAlgorithm, "1.2.840.10045.4.3.2"); // ECDSA with SHA-256

    // The thumbprint is the SHA-1 of the bytes as stored.
    certs::Thumbprint sha1{};
    SHA1(mine[0].der.data(), mine[0].der.size(), sha1.data());
    EXPECT_EQ(mine[0].thumbprint, sha1);
}

TEST_F(CertificateStore, ImportKeepsOrderRenamesInPlaceAndRemovesByThumbprint)
{
    const certs::Bytes a = Made("Alpha", 7), b = Made("Beta", 8);
    ASSERT_EQ(certs::ClearStore(m, "CA"), 0u);
    // A PEM file and a DER file read alike.
    auto pem = certs::CertificateFileDer("junk before\n" + certs::PemBlock(a));
    ASSERT_TRUE(pem);
    EXPECT_EQ(*pem, a);
    EXPECT_EQ(certs::CertificateFileDer(std::string(b.begin(), b.end())), b);
    EXPECT_FALSE(certs::CertificateFileDer("not a certificate"));

    EXPECT_EQ(certs::AddCertificate(m, "CA", a, "first\nline two"), 0u);
    EXPECT_EQ(certs::AddCertificate(m, "CA", b), 0u);
    EXPECT_EQ(certs::AddCertificate(m, "CA", a, "renamed"), 0u);
    auto ca = Open(m, "ca");
    ASSERT_EQ(ca.size(), 2u);
    EXPECT_EQ(CommonName(ca[0].subjectAttributes), "Alpha");
    EXPECT_EQ(ca[0].friendlyName, "renamed");
    EXPECT_EQ(CommonName(ca[1].subjectAttributes), "Beta");

    // A friendly name with a line break survives the file.
    EXPECT_EQ(certs::AddCertificate(m, "CA", b, "two\nlines"), 0u);
    EXPECT_EQ(Open(m, "CA")[1].friendlyName, "two\nlines");

    EXPECT_EQ(certs::AddCertificate(m, "CA", {1, 2, 3}), machine::kErrorInvalidParameter);
    EXPECT_EQ(certs::AddCertificate(m, "C/A", a), machine::kErrorInvalidParameter);
    EXPECT_EQ(certs::RemoveCertificate(m, "CA", ca[0].thumbprint), 0u);
    EXPECT_EQ(certs::RemoveCertificate(m, "CA", ca[0].thumbprint), machine::kErrorNotFound);
    ca = Open(m, "CA");
    ASSERT_EQ(ca.size(), 1u);
    EXPECT_EQ(CommonName(ca[0].subjectAttributes), "Beta");
    EXPECT_EQ(certs::StoreNames(m), (std::vector<std::string>{"CA", "MY", "ROOT"}));

    auto text = certs::ThumbprintText(ca[0].thumbprint);
    EXPECT_EQ(text.size(), 40u);
    EXPECT_EQ(certs::ParseThumbprint(text), ca[0].thumbprint);
    std::string spaced;
    for (std::size_t i = 0; i < text.size(); i += 2)
        spaced += (i ? " " : "") + text.substr(i, 2);
    EXPECT_EQ(certs::ParseThumbprint(spaced), ca[0].thumbprint);
    EXPECT_FALSE(certs::ParseThumbprint(text.substr(2)));
}

TEST_F(CertificateStore, AFailingStoreDoesNotOpenAndADamagedBlockIsPassedOver)
{
    certs::SetStoreFailure(m, "root", 5);
    std::vector<Certificate> out;
    EXPECT_EQ(certs::OpenStore(m, "ROOT", out), 5u);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(certs::StoreContents(m, "ROOT").size(), 3u); // the tool still sees it
    EXPECT_EQ(certs::StoreFailures(m), (std::map<std::string, std::uint32_t>{{"ROOT", 5}}));
    certs::SetStoreFailure(m, "ROOT", std::nullopt);
    EXPECT_EQ(Open(m, "ROOT").size(), 3u);
    EXPECT_EQ(certs::OpenStore(m, "", out), machine::kErrorInvalidParameter);

    // A store nobody filled opens empty.
    EXPECT_TRUE(Open(m, "TRUST").empty());

    // A block whose base64 was damaged: the others still read.
    std::ofstream(m.root() / "certs" / "CA.pem")
        << certs::PemBlock(Made("One", 1))
        << "-----BEGIN CERTIFICATE-----\n!!!!\n-----END CERTIFICATE-----\n"
        << certs::PemBlock(Made("Two", 2));
    auto ca = Open(m, "CA");
    ASSERT_EQ(ca.size(), 2u);
    EXPECT_EQ(CommonName(ca[1].subjectAttributes), "Two");
}

} // namespace
