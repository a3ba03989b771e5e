#pragma once
// The multibyte string functions of the C run-time. The machine's code page is UTF-8, whose
// byte order is its character order, so comparing bytes as unsigned compares characters.

#include <cstring>

inline int _mbscmp(const unsigned char* string1, const unsigned char* string2)
{
    return std::strcmp(reinterpret_cast<const char*>(string1),
                       reinterpret_cast<const char*>(string2));
}
