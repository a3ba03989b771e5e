// SHA-1: the context record filled byte by byte, padding and length, and the choice of engine.

#include "adapter/crypto/Sha1.h"

#include "adapter/crypto/Sha1Engine.h"

#include <atomic>

namespace
{

std::atomic<const Sha1Engine*> g_engine{nullptr};

const Sha1Engine& FastestEngine()
{
    const Sha1Engine* accelerated = Sha1AcceleratedEngine();
    return accelerated ? *accelerated : Sha1PortableEngine();
}

// Adds one byte to the block, compressing it when it is full; the length is counted elsewhere.
inline void PutByte(SHA1_CONTEXT* context, BYTE b)
{
    DWORD& word = context->Block[context->BlockBytes >> 2];
    word = (word << 8) | b;
    if (++context->BlockBytes == 64)
    {
        Sha1Transform(context);
        context->BlockBytes = 0;
    }
}

inline void AddLength(SHA1_CONTEXT* context, DWORD bytes)
{
    const ULONGLONG bits =
        ((ULONGLONG(context->LengthHigh) << 32) | context->LengthLow) + ULONGLONG(bytes) * 8;
    context->LengthHigh = static_cast<DWORD>(bits >> 32);
    context->LengthLow = static_cast<DWORD>(bits);
}

} // namespace

const Sha1Engine& Sha1CurrentEngine()
{
    const Sha1Engine* engine = g_engine.load(std::memory_order_acquire);
    if (engine == nullptr)
    {
        engine = &FastestEngine();
        g_engine.store(engine, std::memory_order_release);
    }
    return *engine;
}

BOOL Sha1UseAcceleration(bool use)
{
    const Sha1Engine& engine = use ? FastestEngine() : Sha1PortableEngine();
    g_engine.store(&engine, std::memory_order_release);
    return &engine != &Sha1PortableEngine();
}

BOOL Sha1AccelerationAvailable()
{
    return Sha1AcceleratedEngine() != nullptr;
}

void Sha1Init(SHA1_CONTEXT* context)
{
    context->State[0] = 0x67452301u;
    context->State[1] = 0xEFCDAB89u;
    context->State[2] = 0x98BADCFEu;
    context->State[3] = 0x10325476u;
    context->State[4] = 0xC3D2E1F0u;
    for (DWORD& word : context->Block)
        word = 0;
    context->BlockBytes = 0;
    context->LengthHigh = 0;
    context->LengthLow = 0;
}

void Sha1Transform(SHA1_CONTEXT* context)
{
    Sha1CurrentEngine().CompressWords(context->State, context->Block);
}

void Sha1Update(SHA1_CONTEXT* context, const BYTE* data, DWORD length)
{
    if (length == 0)
        return;
    AddLength(context, length);

    // Top up a partly filled block first; whole blocks then go straight from the caller's bytes.
    while (length > 0 && context->BlockBytes != 0)
    {
        PutByte(context, *data++);
        --length;
    }
    if (length >= 64)
    {
        const DWORD blocks = length / 64;
        Sha1CurrentEngine().CompressBytes(context->State, data, blocks);
        data += blocks * 64;
        length -= blocks * 64;
    }
    while (length > 0)
    {
        PutByte(context, *data++);
        --length;
    }
}

void Sha1Final(SHA1_CONTEXT* context, BYTE* digest)
{
    const DWORD high = context->LengthHigh;
    const DWORD low = context->LengthLow;

    PutByte(context, 0x80);
    while (context->BlockBytes != 56)
        PutByte(context, 0x00);
    for (int shift = 24; shift >= 0; shift -= 8)
        PutByte(context, static_cast<BYTE>(high >> shift));
    for (int shift = 24; shift >= 0; shift -= 8)
        PutByte(context, static_cast<BYTE>(low >> shift));

    for (int i = 0; i < 20; ++i)
        digest[i] = static_cast<BYTE>(context->State[i / 4] >> (24 - 8 * (i % 4)));
    Sha1Init(context);
}
