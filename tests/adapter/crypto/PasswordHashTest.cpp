// SHA-1, HMAC-SHA1, PBKDF2 and the passphrase-to-key mapping against published vectors, on the
// portable code and on the processor's SHA instructions.

#include "adapter/crypto/PasswordHash.h"
#include "adapter/crypto/Sha1.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<BYTE>;

Bytes FromText(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Repeat(BYTE value, std::size_t count)
{
    return Bytes(count, value);
}

std::string Hex(const BYTE* data, std::size_t length)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < length; ++i)
    {
        hex += digits[data[i] >> 4];
        hex += digits[data[i] & 15];
    }
    return hex;
}

std::string Sha1Hex(const Bytes& message)
{
    SHA1_CONTEXT context;
    Sha1Init(&context);
    Sha1Update(&context, message.data(), static_cast<DWORD>(message.size()));
    BYTE digest[20];
    Sha1Final(&context, digest);
    return Hex(digest, sizeof digest);
}

// Every test of this fixture runs once on the portable code and once on the SHA instructions.
class HashPath : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        if (GetParam() && !Sha1AccelerationAvailable())
            GTEST_SKIP() << "the processor has no SHA instructions";
        ASSERT_EQ(Sha1UseAcceleration(GetParam()), GetParam() ? TRUE : FALSE);
    }
    void TearDown() override { Sha1UseAcceleration(true); }
};

INSTANTIATE_TEST_SUITE_P(Paths, HashPath, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Accelerated" : "Portable"; });

struct DigestCase
{
    const char* name;
    Bytes message;
    const char* digest;
};

// FIPS 180-1 messages, and messages whose padding falls just inside, at, and past a block end.
std::vector<DigestCase> DigestCases()
{
    return {
        {"empty", {}, "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {"abc", FromText("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"448 bits", FromText("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
         "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {"55", Repeat('a', 55), "c1c8bbdc22796e28c0e15163d20899b65621d65a"},
        {"56", Repeat('a', 56), "c2db330f6083854c99d4b5bfb6e8f29f201be699"},
        {"63", Repeat('a', 63), "03f09f5b158a7a8cdad920bddc29b81c18a551f5"},
        {"64", Repeat('a', 64), "0098ba824b5c16427bd7a1122a5a442a25ec644d"},
        {"65", Repeat('a', 65), "11655326c708d70319be2610e8a57d9a5b959d3b"},
        {"119", Repeat('a', 119), "ee971065aaa017e0632a8ca6c77bb3bf8b1dfc56"},
        {"120", Repeat('a', 120), "f34c1488385346a55709ba056ddd08280dd4c6d6"},
        {"128", Repeat('a', 128), "ad5b3fdbcb526778c2839d2f151ea753995e26a0"},
    };
}

TEST_P(HashPath, Sha1DigestIsTheSameHoweverTheMessageIsFed)
{
    for (const DigestCase& c : DigestCases())
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Sha1Hex(c.message), c.digest);

        // One byte at a time.
        SHA1_CONTEXT context;
        Sha1Init(&context);
        for (BYTE b : c.message)
            Sha1Update(&context, &b, 1);
        BYTE digest[20];
        Sha1Final(&context, digest);
        EXPECT_EQ(Hex(digest, 20), c.digest);

        // In two pieces, split at every position: partial blocks meet whole ones.
        for (std::size_t split = 1; split < c.message.size(); ++split)
        {
            Sha1Init(&context);
            Sha1Update(&context, c.message.data(), static_cast<DWORD>(split));
            Sha1Update(&context, c.message.data() + split,
                       static_cast<DWORD>(c.message.size() - split));
            Sha1Final(&context, digest);
            ASSERT_EQ(Hex(digest, 20), c.digest) << "split at " << split;
        }
    }
}

TEST_P(HashPath, Sha1OfOneMillionAs)
{
    const char* expected = "34aa973cd4c4daa4f61eeb2bdbad27316534016f";
    const Bytes million = Repeat('a', 1000000);
    EXPECT_EQ(Sha1Hex(million), expected);

    // In pieces of 1000 bytes, which leave the block part-filled between calls.
    SHA1_CONTEXT context;
    Sha1Init(&context);
    for (int i = 0; i < 1000; ++i)
        Sha1Update(&context, million.data(), 1000);
    BYTE digest[20];
    Sha1Final(&context, digest);
    EXPECT_EQ(Hex(digest, 20), expected);
}

TEST_P(HashPath, Sha1FinalLeavesTheContextReadyForANewMessage)
{
    SHA1_CONTEXT context;
    Sha1Init(&context);
    const Bytes first = Repeat('a', 100);
    Sha1Update(&context, first.data(), static_cast<DWORD>(first.size()));
    BYTE digest[20];
    Sha1Final(&context, digest);

    const Bytes abc = FromText("abc");
    Sha1Update(&context, abc.data(), 3);
    Sha1Final(&context, digest);
    EXPECT_EQ(Hex(digest, 20), "a9993e364706816aba3e25717850c26c9cd0d89d");
}

TEST_P(HashPath, Sha1TransformCompressesTheBlockWords)
{
    // "abc" padded by hand: the message bytes, 0x80, zeros, and the length of 24 bits.
    SHA1_CONTEXT context;
    Sha1Init(&context);
    context.Block[0] = 0x61626380u;
    context.Block[15] = 24;
    Sha1Transform(&context);
    const DWORD expected[5] = {0xA9993E36u, 0x4706816Au, 0xBA3E2571u, 0x7850C26Cu, 0x9CD0D89Du};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(context.State[i], expected[i]) << "word " << i;
}

TEST(Sha1Context, FillsTheBlockBigEndianAndCountsBitsAcrossBothHalves)
{
    SHA1_CONTEXT context;
    Sha1Init(&context);
    const BYTE data[] = {0x01, 0x02, 0x03, 0x04, 0x05};
    Sha1Update(&context, data, sizeof data);
    EXPECT_EQ(context.Block[0], 0x01020304u);
    EXPECT_EQ(context.Block[1], 0x05u);
    EXPECT_EQ(context.BlockBytes, 5u);
    EXPECT_EQ(context.LengthHigh, 0u);
    EXPECT_EQ(context.LengthLow, 40u);

    // The low half carries into the high half.
    context.LengthLow = 0xFFFFFFF8u;
    Sha1Update(&context, data, 2);
    EXPECT_EQ(context.LengthHigh, 1u);
    EXPECT_EQ(context.LengthLow, 8u);
}

TEST(Sha1Paths, AgreeOnRandomMessages)
{
    if (!Sha1AccelerationAvailable())
        GTEST_SKIP() << "the processor has no SHA instructions";
    std::mt19937 random(2024);
    for (std::size_t length = 0; length < 600; length += 7)
    {
        Bytes message(length);
        for (BYTE& b : message)
            b = static_cast<BYTE>(random());
        Sha1UseAcceleration(false);
        const std::string portable = Sha1Hex(message);
        Sha1UseAcceleration(true);
        ASSERT_EQ(Sha1Hex(message), portable) << "length " << length;
    }
}

TEST_P(HashPath, HmacSha1MatchesRfc2202)
{
    struct Case
    {
        Bytes key;
        Bytes text;
        const char* mac;
    };
    Bytes key4;
    for (BYTE b = 1; b <= 25; ++b)
        key4.push_back(b);
    const Case cases[] = {
        {Repeat(0x0B, 20), FromText("Hi There"), "b617318655057264e28bc0b6fb378c8ef146be00"},
        {FromText("Jefe"), FromText("what do ya want for nothing?"),
         "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
        {Repeat(0xAA, 20), Repeat(0xDD, 50), "125d7342b9ac11cd91a39af48aa17b4f63f175d3"},
        {key4, Repeat(0xCD, 50), "4c9007f4026250c6bc8414f9bf50c86c2d7235da"},
        {Repeat(0x0C, 20), FromText("Test With Truncation"),
         "4c1a03424b55e07fe7f27be1d58bb9324a9a5a04"},
        {Repeat(0xAA, 80), FromText("Test Using Larger Than Block-Size Key - Hash Key First"),
         "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
        {Repeat(0xAA, 80),
         FromText("Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data"),
         "e8e99d0f45237d786d6bbaa7965c7808bbff1a91"},
    };
    int number = 1;
    for (const Case& c : cases)
    {
        BYTE mac[20];
        HmacSha1(c.text.data(), static_cast<DWORD>(c.text.size()), c.key.data(),
                 static_cast<DWORD>(c.key.size()), mac);
        EXPECT_EQ(Hex(mac, 20), c.mac) << "RFC 2202 case " << number++;
    }
}

struct BlockCase
{
    const char* passphrase;
    const char* salt;
    DWORD iterations;
    DWORD index;
    const char* block;
};

void ExpectBlocks(const BlockCase* cases, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
    {
        const BlockCase& c = cases[i];
        BYTE block[20];
        Pbkdf2Block(c.passphrase, reinterpret_cast<const BYTE*>(c.salt),
                    static_cast<DWORD>(std::strlen(c.salt)), c.iterations, c.index, block);
        EXPECT_EQ(Hex(block, 20).substr(0, std::strlen(c.block)), c.block)
            << c.passphrase << " / " << c.salt << ", " << c.iterations << " iterations, block "
            << c.index;
    }
}

TEST_P(HashPath, Pbkdf2BlockMatchesRfc6070)
{
    const BlockCase cases[] = {
        {"password", "salt", 1, 1, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
        {"password", "salt", 2, 1, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
        {"password", "salt", 4096, 1, "4b007901b765489abead49d926f721d065a429c1"},
        // 25 bytes of output: all of block 1 and the start of block 2, with a 36-byte salt.
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 1,
         "3d2eec4fe41c849b80c8d83662c0e44a8b291a96"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 2, "4cf2f07038"},
        // A passphrase longer than the HMAC block is hashed into the key first.
        {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
         "xxxxxxxxxxxxxxxx",
         "salt", 3, 1, "bf94cb1b26465c7332844a102eaf01faba310edb"},
    };
    ExpectBlocks(cases, std::size(cases));
}

// Sixteen million iterations: run it on demand with --gtest_also_run_disabled_tests.
TEST_P(HashPath, DISABLED_Pbkdf2BlockMatchesRfc6070Long)
{
    const BlockCase cases[] = {
        {"password", "salt", 16777216, 1, "eefe3d61cd4da4e4e9945b3d6ba2158c2634e984"},
    };
    ExpectBlocks(cases, std::size(cases));
}

std::string PskHex(const std::string& passphrase, const Bytes& ssid)
{
    BYTE out[40];
    EXPECT_EQ(PasswordHash(passphrase.c_str(), ssid.data(), static_cast<DWORD>(ssid.size()), out),
              1);
    return Hex(out, sizeof out);
}

TEST_P(HashPath, PasswordHashMatchesThePublishedPassphraseVectors)
{
    struct Case
    {
        std::string passphrase;
        std::string ssid;
        const char* psk; // the published 32 bytes, then the 8 more of block 2
    };
    const Case cases[] = {
        {"password", "IEEE",
         "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"
         "4888f197a3680415"},
        {"ThisIsAPassword", "ThisIsASSID",
         "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"
         "cac2806de3fd47a8"},
        {std::string(32, 'a'), std::string(32, 'Z'),
         "becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62"
         "1d20bd880f552cbb"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.passphrase + " / " + c.ssid);
        const Bytes ssid = FromText(c.ssid);
        const std::string psk = PskHex(c.passphrase, ssid);
        EXPECT_EQ(psk, c.psk);

        // Both halves run side by side inside PasswordHash; each must equal its block alone.
        BYTE block[20];
        Pbkdf2Block(c.passphrase.c_str(), ssid.data(), static_cast<DWORD>(ssid.size()), 4096, 1,
                    block);
        EXPECT_EQ(Hex(block, 20), psk.substr(0, 40));
        Pbkdf2Block(c.passphrase.c_str(), ssid.data(), static_cast<DWORD>(ssid.size()), 4096, 2,
                    block);
        EXPECT_EQ(Hex(block, 20), psk.substr(40, 40));
    }
}

TEST_P(HashPath, PasswordHashAcceptsTheLongestPassphraseAndAnEmptySsid)
{
    std::string longest;
    for (int i = 0; i < 63; ++i)
        longest += static_cast<char>('!' + i);
    EXPECT_EQ(PskHex(longest, Repeat('Z', 32)),
              "3dd87cac7d2292077835f79993332b5275779d220c3e035bd972eb91297609ed"
              "25409ac19f87eced");

    // With no SSID the salt is the block index alone.
    EXPECT_EQ(PskHex("password", {}),
              "546878f250c3baf85d44fbf77435a03828811dfb84cb1d129ae3567795158ecf"
              "8b45db7f50122481");
}

TEST(PasswordHash, RefusesOversizedInputAndLeavesTheOutputAlone)
{
    struct Case
    {
        const char* name;
        std::string passphrase;
        DWORD ssidLength;
    };
    const Case cases[] = {
        {"64-character passphrase", std::string(64, 'p'), 4},
        {"200-character passphrase", std::string(200, 'p'), 4},
        {"33-byte SSID", "password", 33},
        {"huge SSID length", "password", 0xFFFFFFFFu},
    };
    const Bytes ssid = Repeat('s', 40);
    for (const Case& c : cases)
    {
        BYTE out[40];
        std::memset(out, 0xEE, sizeof out);
        EXPECT_EQ(PasswordHash(c.passphrase.c_str(), ssid.data(), c.ssidLength, out), 0) << c.name;
        EXPECT_EQ(Hex(out, sizeof out), std::string(80, 'e')) << c.name;
    }
}

} // namespace
