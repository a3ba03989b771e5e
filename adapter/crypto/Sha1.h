#pragma once
// SHA-1 of our own, used by the WPA passphrase hashing (PasswordHash.h).

#include "platform/base/WinTypes.h"

struct SHA1_CONTEXT
{
    DWORD State[5];   // chaining words A..E
    DWORD Block[16];  // the block being filled, big-endian, one byte at a time
    DWORD BlockBytes; // bytes already in Block (0..63)
    DWORD LengthHigh; // message length in bits, high half
    DWORD LengthLow;  // message length in bits, low half
};

void Sha1Init(SHA1_CONTEXT* context);
void Sha1Update(SHA1_CONTEXT* context, const BYTE* data, DWORD length);
// Writes the 20-byte digest and leaves the context initialised for a new message.
void Sha1Final(SHA1_CONTEXT* context, BYTE* digest);
// Compresses the 16 words of context->Block into context->State.
void Sha1Transform(SHA1_CONTEXT* context);

// The processor's SHA instructions are used when it has them. Passing false forces the
// portable code (tests run every vector on both); true goes back to the fastest available.
// Returns whether the SHA instructions are in use afterwards.
BOOL Sha1UseAcceleration(bool use);
BOOL Sha1AccelerationAvailable();
