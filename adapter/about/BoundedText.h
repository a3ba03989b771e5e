#pragma once
// A zero-terminated text of at most nSize bytes: version strings and adapter-list strings are
// fixed arrays that need not end in a zero.

#include "platform/Windows.h"

#include <cstddef>

inline CString BoundedText(const char* psz, size_t nSize)
{
    size_t nLength = 0;
    while (nLength < nSize && psz[nLength] != '\0')
        nLength++;
    return CString(psz, static_cast<int>(nLength));
}
