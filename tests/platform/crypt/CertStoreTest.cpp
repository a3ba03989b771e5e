// The certificate functions over the machine's stores, as the crypto API behaves: store order,
// names and properties of a context, the search by SHA-1 hash, and the reference counts that
// keep a closed store alive.

#include "machine/certs/CertificateMaker.h"
#include "machine/certs/CertificateStore.h"
#include "machine/certs/DefaultCertificates.h"
#include "platform/Windows.h"
#include "platform/crypt/WinCrypt.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

namespace certs = machine::certs;
using platform::crypt::LiveCertificateContexts;
using platform::crypt::LiveCertificateStores;

std::string Name(PCCERT_CONTEXT c, DWORD type, DWORD flags = 0, void* para = nullptr)
{
    char text[256] = {};
    CertGetNameStringA(c, type, flags, para, text, sizeof text);
    return text;
}

std::vector<BYTE> Property(PCCERT_CONTEXT c, DWORD id)
{
    DWORD size = 0;
    if (!CertGetCertificateContextProperty(c, id, nullptr, &size))
        return {};
    std::vector<BYTE> data(size);
    EXPECT_TRUE(CertGetCertificateContextProperty(c, id, data.data(), &size));
    return data;
}

class CertStore : public ::testing::Test
{
protected:
    void TearDown() override
    {
        EXPECT_EQ(LiveCertificateContexts(), 0u);
        EXPECT_EQ(LiveCertificateStores(), 0u);
    }
    testing_support::TempMachine tm;
};

TEST_F(CertStore, EnumerationGivesTheStoreInOrderWithNamesDatesAndProperties)
{
    HCERTSTORE store = CertOpenSystemStoreA(0, "ROOT");
    ASSERT_NE(store, 0u);
    std::vector<std::string> subjects, issuers;
    std::vector<PCCERT_CONTEXT> seen;
    PCCERT_CONTEXT c = nullptr;
    while ((c = CertEnumCertificatesInStore(store, c)) != nullptr)
    {
        subjects.push_back(Name(c, CERT_NAME_SIMPLE_DISPLAY_TYPE));
        issuers.push_back(Name(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, CERT_NAME_ISSUER_FLAG));
        EXPECT_EQ(c->hCertStore, store);
        EXPECT_EQ(c->dwCertEncodingType, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING);
        EXPECT_EQ(LiveCertificateContexts(), 1u); // each step frees the one before
        seen.push_back(c);
        if (seen.size() == 1)
        {
            EXPECT_EQ(c->pCertInfo->dwVersion, CERT_V3);
            ASSERT_EQ(c->pCertInfo->SerialNumber.cbData, 1u);
            EXPECT_EQ(c->pCertInfo->SerialNumber.pbData[0], 1);
            // 2044-01-01 12:00 UTC.
            SYSTEMTIME st{};
            ASSERT_TRUE(FileTimeToSystemTime(&c->pCertInfo->NotAfter, &st));
            EXPECT_EQ(std::vector<int>({st.wYear, st.wMonth, st.wDay, st.wHour}),
                      std::vector<int>({2044, 1, 1, 12}));
            std::vector<BYTE> friendly = Property(c, CERT_FRIENDLY_NAME_PROP_ID);
            EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(friendly.data())),
                      u"Quarry Corp Root");
            EXPECT_EQ(Name(c, CERT_NAME_FRIENDLY_DISPLAY_TYPE), "Quarry Corp Root");
            char cn[] = "2.5.4.10";
            EXPECT_EQ(Name(c, CERT_NAME_ATTR_TYPE, 0, cn), "Quarry Corp");
        }
        if (seen.size() == 2)
        {
            DWORD size = 8;
            SetLastError(0);
            EXPECT_FALSE(
                CertGetCertificateContextProperty(c, CERT_FRIENDLY_NAME_PROP_ID, nullptr, &size));
            EXPECT_EQ(GetLastError(), CRYPT_E_NOT_FOUND);
            EXPECT_EQ(Name(c, CERT_NAME_FRIENDLY_DISPLAY_TYPE), certs::kDefaultRootName);
        }
        if (seen.size() == 3) // an empty name is one character: the terminator
        {
            char text[8] = {'x'};
            EXPECT_EQ(CertGetNameStringA(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, text, 8),
                      1u);
            EXPECT_STREQ(text, "");
        }
    }
    EXPECT_EQ(GetLastError(), CRYPT_E_NOT_FOUND);
    EXPECT_EQ(subjects,
              (std::vector<std::string>{certs::kDefaultRootName, certs::kDefaultRootName, ""}));
    EXPECT_EQ(issuers, subjects);
    EXPECT_EQ(LiveCertificateContexts(), 0u);
    EXPECT_TRUE(CertCloseStore(store, CERT_CLOSE_STORE_CHECK_FLAG));
}

TEST_F(CertStore, FindBySha1HashFindsTheOneOfTwoRootsWithThatHash)
{
    HCERTSTORE store = CertOpenSystemStoreA(0, "ROOT");
    ASSERT_NE(store, 0u);
    PCCERT_CONTEXT first = CertEnumCertificatesInStore(store, nullptr);
    PCCERT_CONTEXT second =
        CertEnumCertificatesInStore(store, CertDuplicateCertificateContext(first));
    ASSERT_NE(second, nullptr);
    std::vector<BYTE> hash = Property(second, CERT_SHA1_HASH_PROP_ID);
    ASSERT_EQ(hash.size(), 20u);
    EXPECT_NE(Property(first, CERT_HASH_PROP_ID), hash);

    CRYPT_HASH_BLOB blob{20, hash.data()};
    PCCERT_CONTEXT found = CertFindCertificateInStore(store, X509_ASN_ENCODING, 0,
                                                      CERT_FIND_SHA1_HASH, &blob, nullptr);
    EXPECT_EQ(found, second); // the store's own context, one reference more
    EXPECT_EQ(LiveCertificateContexts(), 3u);
    // The search goes on after the one given, and frees it.
    EXPECT_EQ(
        CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_SHA1_HASH, &blob, found),
        nullptr);
    EXPECT_EQ(GetLastError(), CRYPT_E_NOT_FOUND);
    hash[0] ^= 1;
    EXPECT_EQ(CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_SHA1_HASH, &blob,
                                         nullptr),
              nullptr);
    // A truncated hash matches nothing.
    blob = {10, hash.data()};
    EXPECT_EQ(CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_SHA1_HASH, &blob,
                                         nullptr),
              nullptr);
    CertFreeCertificateContext(first);
    CertFreeCertificateContext(second);
    EXPECT_TRUE(CertCloseStore(store, 0));
}

TEST_F(CertStore, AClosedStoreLivesUntilItsLastContextIsFreed)
{
    HCERTSTORE store = CertOpenSystemStoreA(0, "MY");
    ASSERT_NE(store, 0u);
    PCCERT_CONTEXT c = CertEnumCertificatesInStore(store, nullptr);
    ASSERT_NE(c, nullptr);
    PCCERT_CONTEXT copy = CertDuplicateCertificateContext(c);
    EXPECT_EQ(copy, c);
    SetLastError(0);
    EXPECT_FALSE(CertCloseStore(store, CERT_CLOSE_STORE_CHECK_FLAG));
    EXPECT_EQ(GetLastError(), CRYPT_E_PENDING_CLOSE);
    // Closed for calls, but the contexts still read.
    EXPECT_EQ(CertEnumCertificatesInStore(store, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(CertCloseStore(store, 0));
    EXPECT_EQ(Name(c, CERT_NAME_SIMPLE_DISPLAY_TYPE), certs::kDefaultClientName);
    EXPECT_EQ(Name(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, CERT_NAME_ISSUER_FLAG),
              certs::kDefaultRootName);
    EXPECT_EQ(LiveCertificateStores(), 1u);
    EXPECT_TRUE(CertFreeCertificateContext(c));
    EXPECT_EQ(LiveCertificateStores(), 1u);
    EXPECT_TRUE(CertFreeCertificateContext(copy));
    EXPECT_EQ(LiveCertificateStores(), 0u);
    // Gone with its store: a stale pointer is left alone, as is null.
    EXPECT_TRUE(CertFreeCertificateContext(c));
    EXPECT_TRUE(CertFreeCertificateContext(nullptr));
    EXPECT_EQ(Name(c, CERT_NAME_SIMPLE_DISPLAY_TYPE), "");

    // The force flag frees the store with the contexts still held.
    store = CertOpenSystemStoreA(0, "MY");
    c = CertEnumCertificatesInStore(store, nullptr);
    EXPECT_TRUE(CertCloseStore(store, CERT_CLOSE_STORE_FORCE_FLAG));
    EXPECT_EQ(LiveCertificateContexts(), 0u);
}

TEST_F(CertStore, AFailingStoreDoesNotOpenAndAStoreNobodyFilledOpensEmpty)
{
    certs::SetStoreFailure(tm.machine(), "ROOT", ERROR_ACCESS_DENIED);
    SetLastError(0);
    EXPECT_EQ(CertOpenSystemStoreA(0, "Root"), 0u);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(CertOpenSystemStoreA(0, nullptr), 0u);
    EXPECT_EQ(CertOpenSystemStoreA(0, "no/such"), 0u);

    HCERTSTORE store = CertOpenSystemStoreA(0, "CA");
    ASSERT_NE(store, 0u);
    EXPECT_EQ(CertEnumCertificatesInStore(store, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), CRYPT_E_NOT_FOUND);
    EXPECT_TRUE(CertCloseStore(store, 0));
}

TEST_F(CertStore, NamesFallBackAndAreCutToTheBuffer)
{
    certs::CertificateFields fields;
    fields.organization = "Only An Organization";
    fields.notAfter = 2000000000;
    auto made = certs::MadeCertificate::SelfSigned(fields);
    ASSERT_TRUE(made);
    ASSERT_EQ(certs::AddCertificate(tm.machine(), "CA", made->der()), 0u);
    HCERTSTORE store = CertOpenSystemStoreA(0, "CA");
    PCCERT_CONTEXT c = CertEnumCertificatesInStore(store, nullptr);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(Name(c, CERT_NAME_SIMPLE_DISPLAY_TYPE), "Only An Organization");
    char cn[] = "2.5.4.3";
    EXPECT_EQ(Name(c, CERT_NAME_ATTR_TYPE, 0, cn), "");
    EXPECT_EQ(CertGetNameStringA(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0), 21u);
    char small[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(CertGetNameStringA(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, small, 5), 5u);
    EXPECT_STREQ(small, "Only");

    BYTE hash[20] = {};
    DWORD size = 19;
    SetLastError(0);
    EXPECT_FALSE(CertGetCertificateContextProperty(c, CERT_SHA1_HASH_PROP_ID, hash, &size));
    EXPECT_EQ(GetLastError(), ERROR_MORE_DATA);
    EXPECT_EQ(size, 20u);
    CertFreeCertificateContext(c);
    CertCloseStore(store, 0);
}

} // namespace
