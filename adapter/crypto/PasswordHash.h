#pragma once
// The WPA passphrase-to-key mapping: PBKDF2 with HMAC-SHA1, the SSID as salt, 4096 iterations.

#include "adapter/crypto/Sha1.h"
#include "platform/base/WinTypes.h"

// Derives the pre-shared key of a passphrase (zero-terminated) and an SSID of ssidLength bytes
// into 40 bytes at `out`; callers use the first 32. Returns 0, leaving `out` untouched, when the
// passphrase has 64 characters or more or the SSID is longer than 32 bytes.
int PasswordHash(const char* passphrase, const BYTE* ssid, DWORD ssidLength, BYTE* out);

// One 20-byte PBKDF2 block: the salt is the SSID followed by the block index, big-endian.
void Pbkdf2Block(const char* passphrase, const BYTE* ssid, DWORD ssidLength, DWORD iterations,
                 DWORD index, BYTE* out);

// 20-byte HMAC-SHA1 of text under key.
void HmacSha1(const BYTE* text, DWORD textLength, const BYTE* key, DWORD keyLength, BYTE* out);
