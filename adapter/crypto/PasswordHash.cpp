// HMAC-SHA1, PBKDF2 and the WPA passphrase hashing.

#include "adapter/crypto/PasswordHash.h"

#include "adapter/crypto/Sha1Engine.h"

#include <cstring>

namespace
{

constexpr DWORD kHmacBlockBytes = 64;
constexpr DWORD kDigestBytes = 20;
constexpr DWORD kPskIterations = 4096;
constexpr DWORD kMaxPassphraseChars = 63;
constexpr DWORD kMaxSsidBytes = 32;

void DigestToWords(const BYTE* digest, DWORD words[5])
{
    for (int i = 0; i < 5; ++i)
        words[i] = (DWORD(digest[4 * i]) << 24) | (DWORD(digest[4 * i + 1]) << 16) |
                   (DWORD(digest[4 * i + 2]) << 8) | DWORD(digest[4 * i + 3]);
}

void WordsToDigest(const DWORD words[5], BYTE* digest)
{
    for (int i = 0; i < 20; ++i)
        digest[i] = static_cast<BYTE>(words[i / 4] >> (24 - 8 * (i % 4)));
}

// The states after the key block XOR ipad and after the key block XOR opad. Worked out once per
// key, they save two of the four compressions of every HMAC of a short message.
void MakeKeyState(const BYTE* key, DWORD keyLength, Sha1HmacKeyState& state)
{
    BYTE hashedKey[kDigestBytes];
    if (keyLength > kHmacBlockBytes)
    {
        SHA1_CONTEXT context;
        Sha1Init(&context);
        Sha1Update(&context, key, keyLength);
        Sha1Final(&context, hashedKey);
        key = hashedKey;
        keyLength = kDigestBytes;
    }

    DWORD inner[16] = {};
    DWORD outer[16] = {};
    for (DWORD i = 0; i < kHmacBlockBytes; ++i)
    {
        const BYTE k = i < keyLength ? key[i] : 0;
        inner[i / 4] = (inner[i / 4] << 8) | BYTE(k ^ 0x36);
        outer[i / 4] = (outer[i / 4] << 8) | BYTE(k ^ 0x5C);
    }

    SHA1_CONTEXT initial;
    Sha1Init(&initial);
    for (int i = 0; i < 5; ++i)
        state.Inner[i] = state.Outer[i] = initial.State[i];
    const Sha1Engine& engine = Sha1CurrentEngine();
    engine.CompressWords(state.Inner, inner);
    engine.CompressWords(state.Outer, outer);
}

// A context positioned just after a padded key block.
void ResumeAfterKeyBlock(SHA1_CONTEXT* context, const DWORD state[5])
{
    Sha1Init(context);
    for (int i = 0; i < 5; ++i)
        context->State[i] = state[i];
    context->LengthLow = kHmacBlockBytes * 8;
}

void FinishHmac(const Sha1HmacKeyState& key, SHA1_CONTEXT* inner, BYTE* out)
{
    BYTE innerDigest[kDigestBytes];
    Sha1Final(inner, innerDigest);
    SHA1_CONTEXT outer;
    ResumeAfterKeyBlock(&outer, key.Outer);
    Sha1Update(&outer, innerDigest, kDigestBytes);
    Sha1Final(&outer, out);
}

// U1 of a PBKDF2 block: HMAC(key, salt || index), as words.
void FirstU(const Sha1HmacKeyState& key, const BYTE* salt, DWORD saltLength, DWORD index,
            DWORD u[5])
{
    const BYTE indexBytes[4] = {BYTE(index >> 24), BYTE(index >> 16), BYTE(index >> 8),
                                BYTE(index)};
    SHA1_CONTEXT inner;
    ResumeAfterKeyBlock(&inner, key.Inner);
    Sha1Update(&inner, salt, saltLength);
    Sha1Update(&inner, indexBytes, sizeof indexBytes);
    BYTE digest[kDigestBytes];
    FinishHmac(key, &inner, digest);
    DigestToWords(digest, u);
}

} // namespace

void HmacSha1(const BYTE* text, DWORD textLength, const BYTE* key, DWORD keyLength, BYTE* out)
{
    Sha1HmacKeyState state;
    MakeKeyState(key, keyLength, state);
    SHA1_CONTEXT inner;
    ResumeAfterKeyBlock(&inner, state.Inner);
    Sha1Update(&inner, text, textLength);
    FinishHmac(state, &inner, out);
}

void Pbkdf2Block(const char* passphrase, const BYTE* ssid, DWORD ssidLength, DWORD iterations,
                 DWORD index, BYTE* out)
{
    Sha1HmacKeyState key;
    MakeKeyState(reinterpret_cast<const BYTE*>(passphrase),
                 static_cast<DWORD>(std::strlen(passphrase)), key);
    DWORD u[5];
    FirstU(key, ssid, ssidLength, index, u);
    DWORD t[5] = {u[0], u[1], u[2], u[3], u[4]};
    if (iterations > 1)
        Sha1CurrentEngine().HmacChain(key, u, t, iterations - 1);
    WordsToDigest(t, out);
}

int PasswordHash(const char* passphrase, const BYTE* ssid, DWORD ssidLength, BYTE* out)
{
    if (passphrase == nullptr || out == nullptr || (ssid == nullptr && ssidLength != 0))
        return 0;
    const std::size_t passphraseLength = strnlen(passphrase, kMaxPassphraseChars + 1);
    if (passphraseLength > kMaxPassphraseChars || ssidLength > kMaxSsidBytes)
        return 0;

    // Both blocks of the key in one pass: their chains are independent, so they run side by side.
    Sha1HmacKeyState key;
    MakeKeyState(reinterpret_cast<const BYTE*>(passphrase), static_cast<DWORD>(passphraseLength),
                 key);
    DWORD u1[5], u2[5];
    FirstU(key, ssid, ssidLength, 1, u1);
    FirstU(key, ssid, ssidLength, 2, u2);
    DWORD t1[5] = {u1[0], u1[1], u1[2], u1[3], u1[4]};
    DWORD t2[5] = {u2[0], u2[1], u2[2], u2[3], u2[4]};
    Sha1CurrentEngine().HmacChain2(key, u1, t1, u2, t2, kPskIterations - 1);
    WordsToDigest(t1, out);
    WordsToDigest(t2, out + kDigestBytes);
    return 1;
}
