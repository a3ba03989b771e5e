// Loading libcrypto on first use: a library that cannot serve leaves no table and says why.

#include "machine/certs/CryptoLibrary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{

namespace certs = machine::certs;
using ::testing::HasSubstr;

TEST(CryptoLibrary, OneThatCannotBeLoadedOrLacksAFunctionIsUnavailableAndSaysWhy)
{
    const struct
    {
        const char* soname;
        const char* why;
    } cases[] = {
        {"libtessaryn-missing-crypto.so.3", "No such file"},
        {"libm.so.6", "it has no ASN1_INTEGER_set_uint64"}, // loads, but is not libcrypto
    };
    for (const auto& c : cases)
    {
        const certs::CryptoLibrary library(c.soname);
        EXPECT_FALSE(library.available()) << c.soname;
        EXPECT_THAT(library.error(), HasSubstr(std::string("cannot load ") + c.soname));
        EXPECT_THAT(library.error(), HasSubstr(c.why));
        EXPECT_EQ(library.X509_new, nullptr);
    }
    // The build's own has every function.
    const certs::CryptoLibrary built(certs::CryptoLibraryName());
    EXPECT_TRUE(built.available()) << built.error();
    EXPECT_NE(certs::Crypto(), nullptr);
}

} // namespace
