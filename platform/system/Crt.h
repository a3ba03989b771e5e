#pragma once
// The few C run-time names of the platform's compiler that the programs use.

#include <cstdlib>
#include <cstring>
#include <strings.h>

inline char* _strdup(const char* s)
{
    return ::strdup(s);
}
inline int _stricmp(const char* a, const char* b)
{
    return ::strcasecmp(a, b);
}
inline int _strnicmp(const char* a, const char* b, std::size_t n)
{
    return ::strncasecmp(a, b, n);
}
