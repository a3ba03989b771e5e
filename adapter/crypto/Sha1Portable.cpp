// The SHA-1 compression in plain C++: the fallback where the processor has no SHA instructions.

#include "adapter/crypto/Sha1Engine.h"

namespace
{

inline DWORD Rotl(DWORD x, int n)
{
    return (x << n) | (x >> (32 - n));
}

inline DWORD LoadBigEndian(const BYTE* p)
{
    return (DWORD(p[0]) << 24) | (DWORD(p[1]) << 16) | (DWORD(p[2]) << 8) | DWORD(p[3]);
}

// The schedule is kept as a ring of 16 words: word t replaces word t-16 in place.
#define SHA1_W(t)                                                                                  \
    (w[(t)&15] = Rotl(w[((t) + 13) & 15] ^ w[((t) + 8) & 15] ^ w[((t) + 2) & 15] ^ w[(t)&15], 1))
#define SHA1_STEP(f, k, wt)                                                                        \
    do                                                                                             \
    {                                                                                              \
        const DWORD tmp = Rotl(a, 5) + (f) + e + (k) + (wt);                                       \
        e = d;                                                                                     \
        d = c;                                                                                     \
        c = Rotl(b, 30);                                                                           \
        b = a;                                                                                     \
        a = tmp;                                                                                   \
    } while (0)

void Compress(DWORD state[5], DWORD w[16])
{
    DWORD a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    int t = 0;
    // Unrolled, the rotation of a..e costs no moves.
#pragma GCC unroll 20
    for (; t < 16; ++t)
        SHA1_STEP((b & c) | (~b & d), 0x5A827999u, w[t]);
#pragma GCC unroll 20
    for (; t < 20; ++t)
        SHA1_STEP((b & c) | (~b & d), 0x5A827999u, SHA1_W(t));
#pragma GCC unroll 20
    for (; t < 40; ++t)
        SHA1_STEP(b ^ c ^ d, 0x6ED9EBA1u, SHA1_W(t));
#pragma GCC unroll 20
    for (; t < 60; ++t)
        SHA1_STEP((b & c) | (b & d) | (c & d), 0x8F1BBCDCu, SHA1_W(t));
#pragma GCC unroll 20
    for (; t < 80; ++t)
        SHA1_STEP(b ^ c ^ d, 0xCA62C1D6u, SHA1_W(t));
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}

#undef SHA1_STEP
#undef SHA1_W

void CompressWords(DWORD state[5], const DWORD block[16])
{
    DWORD w[16];
    for (int i = 0; i < 16; ++i)
        w[i] = block[i];
    Compress(state, w);
}

void CompressBytes(DWORD state[5], const BYTE* data, std::size_t count)
{
    DWORD w[16];
    for (; count > 0; --count, data += 64)
    {
        for (int i = 0; i < 16; ++i)
            w[i] = LoadBigEndian(data + 4 * i);
        Compress(state, w);
    }
}

// One HMAC over a 20-byte message from the precomputed key states: the message is a single
// block after the key block, so each of the two hashes is one compression.
void HmacOfDigest(const Sha1HmacKeyState& key, DWORD u[5])
{
    // 64 key bytes + 20 message bytes, in bits.
    constexpr DWORD kBits = (64 + 20) * 8;
    DWORD w[16];
    DWORD state[5];

    for (int i = 0; i < 5; ++i)
    {
        w[i] = u[i];
        state[i] = key.Inner[i];
    }
    w[5] = 0x80000000u;
    for (int i = 6; i < 15; ++i)
        w[i] = 0;
    w[15] = kBits;
    Compress(state, w);

    for (int i = 0; i < 5; ++i)
    {
        w[i] = state[i];
        u[i] = key.Outer[i];
    }
    w[5] = 0x80000000u;
    for (int i = 6; i < 15; ++i)
        w[i] = 0;
    w[15] = kBits;
    Compress(u, w);
}

void HmacChain(const Sha1HmacKeyState& key, DWORD u[5], DWORD t[5], DWORD rounds)
{
    for (; rounds > 0; --rounds)
    {
        HmacOfDigest(key, u);
        for (int i = 0; i < 5; ++i)
            t[i] ^= u[i];
    }
}

void HmacChain2(const Sha1HmacKeyState& key, DWORD u1[5], DWORD t1[5], DWORD u2[5], DWORD t2[5],
                DWORD rounds)
{
    HmacChain(key, u1, t1, rounds);
    HmacChain(key, u2, t2, rounds);
}

const Sha1Engine kPortable{CompressWords, CompressBytes, HmacChain, HmacChain2};

} // namespace

const Sha1Engine& Sha1PortableEngine()
{
    return kPortable;
}
