#pragma once
// The record of an overlapped request, with the 32-bit layout the programs were built for.

#include "platform/base/WinTypes.h"

struct OVERLAPPED
{
    DWORD Internal;     // status of the request
    DWORD InternalHigh; // bytes transferred
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
};
using LPOVERLAPPED = OVERLAPPED*;

// OVERLAPPED.Internal of a request that has not completed yet.
inline constexpr DWORD STATUS_PENDING = 0x00000103u;

static_assert(sizeof(OVERLAPPED) == 20, "OVERLAPPED is 20 bytes on 32-bit Windows");
