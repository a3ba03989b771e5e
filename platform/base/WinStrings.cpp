#include "platform/base/WinStrings.h"

#include <algorithm>
#include <cstring>

namespace platform
{

int CopyBounded(LPSTR buffer, const std::string& text, int size)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

} // namespace platform

namespace
{

int Fold(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

int Sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// NULL sorts before every string, two NULLs are equal.
bool CompareNulls(LPCSTR a, LPCSTR b, int& result)
{
    if (a != nullptr && b != nullptr)
        return false;
    result = (a == nullptr && b == nullptr) ? 0 : (a == nullptr ? -1 : 1);
    return true;
}

} // namespace

int lstrlenA(LPCSTR lpString)
{
    return lpString == nullptr ? 0 : static_cast<int>(std::strlen(lpString));
}

LPSTR lstrcpyA(LPSTR lpString1, LPCSTR lpString2)
{
    if (lpString1 == nullptr)
        return nullptr;
    std::memmove(lpString1, lpString2 ? lpString2 : "", lstrlenA(lpString2) + 1);
    return lpString1;
}

LPSTR lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength)
{
    if (lpString1 == nullptr || iMaxLength <= 0)
        return lpString1;
    const char* src = lpString2 ? lpString2 : "";
    const std::size_t n = strnlen(src, static_cast<std::size_t>(iMaxLength - 1));
    std::memmove(lpString1, src, n);
    lpString1[n] = '\0';
    return lpString1;
}

LPSTR lstrcatA(LPSTR lpString1, LPCSTR lpString2)
{
    if (lpString1 == nullptr)
        return nullptr;
    if (lpString2 != nullptr)
        std::strcat(lpString1, lpString2);
    return lpString1;
}

int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2)
{
    int result;
    if (CompareNulls(lpString1, lpString2, result))
        return result;
    const auto* a = reinterpret_cast<const unsigned char*>(lpString1);
    const auto* b = reinterpret_cast<const unsigned char*>(lpString2);
    int tie = 0;
    for (;; ++a, ++b)
    {
        if (Fold(*a) != Fold(*b))
            return Sign(Fold(*a) - Fold(*b));
        if (*a == 0)
            return tie;
        // Same letter in different case: lower case first, unless an earlier letter decided.
        if (tie == 0 && *a != *b)
            tie = (*a >= 'a' && *a <= 'z') ? -1 : 1;
    }
}

int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2)
{
    int result;
    if (CompareNulls(lpString1, lpString2, result))
        return result;
    const auto* a = reinterpret_cast<const unsigned char*>(lpString1);
    const auto* b = reinterpret_cast<const unsigned char*>(lpString2);
    for (;; ++a, ++b)
    {
        if (Fold(*a) != Fold(*b))
            return Sign(Fold(*a) - Fold(*b));
        if (*a == 0)
            return 0;
    }
}

int wvsprintfA(LPSTR lpOut, LPCSTR lpFmt, va_list arglist)
{
    return platform::CopyBounded(lpOut, platform::FormatStringV(lpFmt, arglist),
                                 platform::kWsprintfLimit);
}
