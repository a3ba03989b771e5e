#pragma once
// The SHA-1 compression in its two builds (portable and SHA instructions) and the choice between
// them. Internal to the hashing code.

#include "platform/base/WinTypes.h"

#include <cstddef>

// The inner and outer HMAC states of one key, each after its 64-byte padded key block.
struct Sha1HmacKeyState
{
    DWORD Inner[5];
    DWORD Outer[5];
};

struct Sha1Engine
{
    // One block given as 16 words.
    void (*CompressWords)(DWORD state[5], const DWORD block[16]);
    // `count` consecutive 64-byte blocks given as bytes.
    void (*CompressBytes)(DWORD state[5], const BYTE* data, std::size_t count);
    // PBKDF2's iteration, `rounds` times: u := HMAC(key, u); t ^= u. u and t are 5 words.
    void (*HmacChain)(const Sha1HmacKeyState& key, DWORD u[5], DWORD t[5], DWORD rounds);
    // The same over two independent chains at once (the two blocks of a PSK).
    void (*HmacChain2)(const Sha1HmacKeyState& key, DWORD u1[5], DWORD t1[5], DWORD u2[5],
                       DWORD t2[5], DWORD rounds);
};

const Sha1Engine& Sha1PortableEngine();
// Null when the processor (or the build target) has no SHA instructions.
const Sha1Engine* Sha1AcceleratedEngine();
// The engine in use now.
const Sha1Engine& Sha1CurrentEngine();
