// The SHA-1 compression on the processor's SHA instructions (x86-64). Only the functions here are
// built for them, so the program still runs on processors without; Sha1AcceleratedEngine()
// offers them only when the processor reports the instructions.

#include "adapter/crypto/Sha1Engine.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <cpuid.h>
#include <immintrin.h>

#include <utility>

#define SHA1_TARGET __attribute__((target("sha,sse4.1")))
#define SHA1_INLINE __attribute__((target("sha,sse4.1"), always_inline)) inline

namespace
{

// One compression in flight. Registers hold the state with A (or E) in the top lane and the
// message words with word 0 in the top lane, as the instructions want them.
struct Lane
{
    __m128i abcd;
    __m128i e0;
    __m128i e1;
    __m128i m[4];
};

// Rounds 4g..4g+3, with the message schedule for later groups worked in alongside.
template <int G> SHA1_INLINE void Group(Lane& l)
{
    __m128i& eCur = (G % 2 == 0) ? l.e0 : l.e1;
    __m128i& eNext = (G % 2 == 0) ? l.e1 : l.e0;
    if constexpr (G == 0)
        eCur = _mm_add_epi32(eCur, l.m[0]);
    else
        eCur = _mm_sha1nexte_epu32(eCur, l.m[G % 4]);
    eNext = l.abcd;
    if constexpr (G >= 3 && G <= 18)
        l.m[(G + 1) % 4] = _mm_sha1msg2_epu32(l.m[(G + 1) % 4], l.m[G % 4]);
    l.abcd = _mm_sha1rnds4_epu32(l.abcd, eCur, G / 5);
    if constexpr (G >= 1 && G <= 16)
        l.m[(G + 3) % 4] = _mm_sha1msg1_epu32(l.m[(G + 3) % 4], l.m[G % 4]);
    if constexpr (G >= 2 && G <= 17)
        l.m[(G + 2) % 4] = _mm_xor_si128(l.m[(G + 2) % 4], l.m[G % 4]);
}

template <int... G> SHA1_INLINE void Groups1(Lane& a, std::integer_sequence<int, G...>)
{
    (Group<G>(a), ...);
}

template <int... G> SHA1_INLINE void Groups2(Lane& a, Lane& b, std::integer_sequence<int, G...>)
{
    ((Group<G>(a), Group<G>(b)), ...);
}

SHA1_INLINE void Start(Lane& l, __m128i abcd, __m128i e, __m128i m0, __m128i m1, __m128i m2,
                       __m128i m3)
{
    l.abcd = abcd;
    l.e0 = e;
    l.e1 = _mm_setzero_si128();
    l.m[0] = m0;
    l.m[1] = m1;
    l.m[2] = m2;
    l.m[3] = m3;
}

// Adds the chaining input back in; after group 19, e0 holds the A that becomes E.
SHA1_INLINE void Finish(const Lane& l, __m128i abcdIn, __m128i eIn, __m128i& abcd, __m128i& e)
{
    e = _mm_sha1nexte_epu32(l.e0, eIn);
    abcd = _mm_add_epi32(l.abcd, abcdIn);
}

SHA1_INLINE __m128i LoadAbcd(const DWORD s[5])
{
    return _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s)), 0x1B);
}

SHA1_INLINE __m128i LoadE(const DWORD s[5])
{
    return _mm_set_epi32(static_cast<int>(s[4]), 0, 0, 0);
}

SHA1_INLINE void Store(DWORD s[5], __m128i abcd, __m128i e)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(s), _mm_shuffle_epi32(abcd, 0x1B));
    s[4] = static_cast<DWORD>(_mm_extract_epi32(e, 3));
}

SHA1_TARGET void CompressWords(DWORD state[5], const DWORD block[16])
{
    const __m128i abcdIn = LoadAbcd(state);
    const __m128i eIn = LoadE(state);
    const auto* w = reinterpret_cast<const __m128i*>(block);
    Lane l;
    Start(l, abcdIn, eIn, _mm_shuffle_epi32(_mm_loadu_si128(w + 0), 0x1B),
          _mm_shuffle_epi32(_mm_loadu_si128(w + 1), 0x1B),
          _mm_shuffle_epi32(_mm_loadu_si128(w + 2), 0x1B),
          _mm_shuffle_epi32(_mm_loadu_si128(w + 3), 0x1B));
    Groups1(l, std::make_integer_sequence<int, 20>{});
    __m128i abcd, e;
    Finish(l, abcdIn, eIn, abcd, e);
    Store(state, abcd, e);
}

SHA1_TARGET void CompressBytes(DWORD state[5], const BYTE* data, std::size_t count)
{
    // Reverses all 16 bytes: big-endian words, word 0 in the top lane.
    const __m128i reverse = _mm_set_epi64x(0x0001020304050607LL, 0x08090A0B0C0D0E0FLL);
    __m128i abcd = LoadAbcd(state);
    __m128i e = LoadE(state);
    for (; count > 0; --count, data += 64)
    {
        const auto* p = reinterpret_cast<const __m128i*>(data);
        Lane l;
        Start(l, abcd, e, _mm_shuffle_epi8(_mm_loadu_si128(p + 0), reverse),
              _mm_shuffle_epi8(_mm_loadu_si128(p + 1), reverse),
              _mm_shuffle_epi8(_mm_loadu_si128(p + 2), reverse),
              _mm_shuffle_epi8(_mm_loadu_si128(p + 3), reverse));
        Groups1(l, std::make_integer_sequence<int, 20>{});
        Finish(l, abcd, e, abcd, e);
    }
    Store(state, abcd, e);
}

// The block after the key block, holding a 20-byte message: the 5 words, the 0x80 byte, zeros
// and the length of 84 bytes in bits. The E register's lower lanes are zero (the chaining E
// is loaded that way and sha1nexte keeps them), so OR-ing the constant in places the 0x80 word.
struct DigestBlock
{
    __m128i pad;
    __m128i zero;
    __m128i length;
};

SHA1_INLINE DigestBlock MakeDigestBlock()
{
    return {_mm_set_epi32(0, static_cast<int>(0x80000000u), 0, 0), _mm_setzero_si128(),
            _mm_set_epi32(0, 0, 0, (64 + 20) * 8)};
}

SHA1_TARGET void HmacChain(const Sha1HmacKeyState& key, DWORD u[5], DWORD t[5], DWORD rounds)
{
    const DigestBlock block = MakeDigestBlock();
    const __m128i innerAbcd = LoadAbcd(key.Inner), innerE = LoadE(key.Inner);
    const __m128i outerAbcd = LoadAbcd(key.Outer), outerE = LoadE(key.Outer);
    __m128i uAbcd = LoadAbcd(u), uE = LoadE(u);
    __m128i tAbcd = LoadAbcd(t), tE = LoadE(t);
    for (; rounds > 0; --rounds)
    {
        Lane l;
        Start(l, innerAbcd, innerE, uAbcd, _mm_or_si128(uE, block.pad), block.zero, block.length);
        Groups1(l, std::make_integer_sequence<int, 20>{});
        Finish(l, innerAbcd, innerE, uAbcd, uE);

        Start(l, outerAbcd, outerE, uAbcd, _mm_or_si128(uE, block.pad), block.zero, block.length);
        Groups1(l, std::make_integer_sequence<int, 20>{});
        Finish(l, outerAbcd, outerE, uAbcd, uE);

        tAbcd = _mm_xor_si128(tAbcd, uAbcd);
        tE = _mm_xor_si128(tE, uE);
    }
    Store(u, uAbcd, uE);
    Store(t, tAbcd, tE);
}

// Two chains interleaved group by group: each compression is one long dependency chain, so the
// second chain fills the instruction unit's idle cycles.
SHA1_TARGET void HmacChain2(const Sha1HmacKeyState& key, DWORD u1[5], DWORD t1[5], DWORD u2[5],
                            DWORD t2[5], DWORD rounds)
{
    const DigestBlock block = MakeDigestBlock();
    const __m128i innerAbcd = LoadAbcd(key.Inner), innerE = LoadE(key.Inner);
    const __m128i outerAbcd = LoadAbcd(key.Outer), outerE = LoadE(key.Outer);
    __m128i uAbcd1 = LoadAbcd(u1), uE1 = LoadE(u1), tAbcd1 = LoadAbcd(t1), tE1 = LoadE(t1);
    __m128i uAbcd2 = LoadAbcd(u2), uE2 = LoadE(u2), tAbcd2 = LoadAbcd(t2), tE2 = LoadE(t2);
    for (; rounds > 0; --rounds)
    {
        Lane a, b;
        Start(a, innerAbcd, innerE, uAbcd1, _mm_or_si128(uE1, block.pad), block.zero, block.length);
        Start(b, innerAbcd, innerE, uAbcd2, _mm_or_si128(uE2, block.pad), block.zero, block.length);
        Groups2(a, b, std::make_integer_sequence<int, 20>{});
        Finish(a, innerAbcd, innerE, uAbcd1, uE1);
        Finish(b, innerAbcd, innerE, uAbcd2, uE2);

        Start(a, outerAbcd, outerE, uAbcd1, _mm_or_si128(uE1, block.pad), block.zero, block.length);
        Start(b, outerAbcd, outerE, uAbcd2, _mm_or_si128(uE2, block.pad), block.zero, block.length);
        Groups2(a, b, std::make_integer_sequence<int, 20>{});
        Finish(a, outerAbcd, outerE, uAbcd1, uE1);
        Finish(b, outerAbcd, outerE, uAbcd2, uE2);

        tAbcd1 = _mm_xor_si128(tAbcd1, uAbcd1);
        tE1 = _mm_xor_si128(tE1, uE1);
        tAbcd2 = _mm_xor_si128(tAbcd2, uAbcd2);
        tE2 = _mm_xor_si128(tE2, uE2);
    }
    Store(u1, uAbcd1, uE1);
    Store(t1, tAbcd1, tE1);
    Store(u2, uAbcd2, uE2);
    Store(t2, tAbcd2, tE2);
}

bool ProcessorHasShaInstructions()
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return false;
    const bool sse41 = (c & bit_SSE4_1) != 0;
    const bool ssse3 = (c & bit_SSSE3) != 0;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d))
        return false;
    const bool sha = (b & bit_SHA) != 0;
    return sse41 && ssse3 && sha;
}

const Sha1Engine kAccelerated{CompressWords, CompressBytes, HmacChain, HmacChain2};

} // namespace

const Sha1Engine* Sha1AcceleratedEngine()
{
    static const bool available = ProcessorHasShaInstructions();
    return available ? &kAccelerated : nullptr;
}

#else

const Sha1Engine* Sha1AcceleratedEngine()
{
    return nullptr;
}

#endif
