// vnmachine certs on the built tool: what it lists, and its import, removal, emptying and
// failure as a program opening the store then sees them.

#include "machine/certs/CertificateMaker.h"
#include "machine/certs/CertificateStore.h"
#include "machine/certs/DefaultCertificates.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace
{

namespace certs = machine::certs;

bool Contains(const std::string& text, const std::string& what)
{
    return text.find(what) != std::string::npos;
}

class CertsCommand : public ::testing::Test
{
protected:
    testing_support::CommandRun certsTool(std::vector<std::string> args)
    {
        args.insert(args.begin(), "certs");
        return testing_support::RunVnmachine(m.root(), args);
    }
    std::vector<certs::Certificate> open(const char* store)
    {
        std::vector<certs::Certificate> out;
        EXPECT_EQ(certs::OpenStore(m.machine(), store, out), 0u);
        return out;
    }
    testing_support::TempMachine m;
};

TEST_F(CertsCommand, ListsImportsRemovesAndFailsAStore)
{
    auto all = certsTool({});
    ASSERT_EQ(all.status, 0) << all.out;
    const std::string root = certs::ThumbprintText(open("ROOT")[0].thumbprint);
    EXPECT_TRUE(Contains(all.out, "ROOT:\n  " + root + "\n")) << all.out;
    EXPECT_TRUE(Contains(all.out, "subject   O=Quarry Corp, CN=Quarry Corp Root CA")) << all.out;
    EXPECT_TRUE(Contains(all.out, "expires   2044-01-01 12:00 UTC")) << all.out;
    EXPECT_TRUE(Contains(all.out, "subject   (empty)")) << all.out;
    EXPECT_TRUE(Contains(all.out, "friendly  Quarry Corp Owner")) << all.out;

    certs::CertificateFields fields;
    fields.commonName = "Imported";
    fields.notAfter = 1900000000;
    auto made = certs::MadeCertificate::SelfSigned(fields);
    ASSERT_TRUE(made);
    const auto pem = m.root() / "imported.pem";
    const auto der = m.root() / "imported.der";
    std::ofstream(pem) << certs::PemBlock(made->der());
    std::ofstream(der, std::ios::binary)
        .write(reinterpret_cast<const char*>(made->der().data()),
               static_cast<std::streamsize>(made->der().size()));

    auto imported = certsTool({"import", "my", pem.string(), "Imported Cert"});
    ASSERT_EQ(imported.status, 0) << imported.out;
    auto mine = open("MY");
    ASSERT_EQ(mine.size(), 2u);
    EXPECT_EQ(mine[1].friendlyName, "Imported Cert");
    const std::string thumbprint = certs::ThumbprintText(mine[1].thumbprint);
    EXPECT_EQ(imported.out, "imported " + thumbprint + "\n");
    // The DER file is the same certificate: renamed in its place.
    ASSERT_EQ(certsTool({"import", "MY", der.string()}).status, 0);
    EXPECT_EQ(open("MY").size(), 2u);
    EXPECT_EQ(open("MY")[1].friendlyName, "");
    EXPECT_EQ(certsTool({"import", "MY", (m.root() / "system.conf").string()}).status, 1);

    EXPECT_EQ(certsTool({"remove", "MY", thumbprint}).status, 0);
    EXPECT_EQ(open("MY").size(), 1u);
    EXPECT_EQ(certsTool({"remove", "MY", thumbprint}).status, 1);
    EXPECT_EQ(certsTool({"remove", "MY", "not-a-thumbprint"}).status, 2);

    ASSERT_EQ(certsTool({"fail", "ROOT", "1234"}).status, 0);
    std::vector<certs::Certificate> out;
    EXPECT_EQ(certs::OpenStore(m.machine(), "ROOT", out), 1234u);
    EXPECT_TRUE(Contains(certsTool({"list", "ROOT"}).out, "ROOT (fails to open with error 1234)"));
    ASSERT_EQ(certsTool({"fail", "ROOT", "off"}).status, 0);
    ASSERT_EQ(certsTool({"clear", "ROOT"}).status, 0);
    EXPECT_TRUE(open("ROOT").empty());
    EXPECT_EQ(certsTool({"list", "ROOT"}).out, "ROOT:\n  no certificates\n");
}

} // namespace
