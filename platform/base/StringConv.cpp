#include "platform/base/StringConv.h"

#include "platform/base/WinError.h"

#include "machine/text/Utf8.h"

#include <climits>
#include <cstring>

namespace platform
{
namespace
{

// CP_ACP and its aliases are UTF-8 on this machine; CP_UTF8 is UTF-8 with the platform's strict
// flag rules. Anything else is a code page the machine does not have.
enum class Page
{
    Ansi,
    Utf8,
    None
};

Page Classify(UINT codePage)
{
    switch (codePage)
    {
    case CP_ACP:
    case CP_OEMCP:
    case CP_THREAD_ACP:
        return Page::Ansi;
    case CP_UTF8:
        return Page::Utf8;
    default:
        return Page::None;
    }
}

int Fail(DWORD error)
{
    SetLastError(error);
    return 0;
}

} // namespace

bool Utf8ToUtf16(std::string_view in, std::u16string& out)
{
    return machine::text::Utf8ToUtf16(in, out);
}

bool Utf16ToUtf8(std::u16string_view in, std::string& out, std::string_view replacement)
{
    return machine::text::Utf16ToUtf8(in, out, replacement);
}

std::u16string Utf8ToUtf16(std::string_view in)
{
    std::u16string out;
    Utf8ToUtf16(in, out);
    return out;
}

std::string Utf16ToUtf8(std::u16string_view in)
{
    std::string out;
    Utf16ToUtf8(in, out);
    return out;
}

} // namespace platform

UINT GetACP()
{
    return CP_UTF8;
}

UINT GetOEMCP()
{
    return CP_UTF8;
}

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar)
{
    using namespace platform;
    const Page page = Classify(CodePage);
    if (page == Page::None)
        return Fail(ERROR_INVALID_PARAMETER);
    const DWORD allowed = page == Page::Utf8 ? MB_ERR_INVALID_CHARS
                                             : MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS |
                                                   MB_ERR_INVALID_CHARS;
    if ((dwFlags & ~allowed) != 0 ||
        ((dwFlags & MB_PRECOMPOSED) != 0 && (dwFlags & MB_COMPOSITE) != 0))
        return Fail(ERROR_INVALID_FLAGS);
    if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && lpWideCharStr == nullptr) ||
        (cchWideChar > 0 && static_cast<const void*>(lpWideCharStr) == lpMultiByteStr))
        return Fail(ERROR_INVALID_PARAMETER);

    // -1: the terminator is part of the input, so it is converted and counted too.
    const std::size_t length =
        cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
    std::u16string wide;
    if (!Utf8ToUtf16(std::string_view(lpMultiByteStr, length), wide) &&
        (dwFlags & MB_ERR_INVALID_CHARS) != 0)
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    if (wide.size() > static_cast<std::size_t>(INT_MAX))
        return Fail(ERROR_INVALID_PARAMETER);
    const int needed = static_cast<int>(wide.size());
    if (cchWideChar == 0)
        return needed;
    if (needed > cchWideChar)
    {
        // As the platform does, the buffer holds what fitted; a surrogate pair is never split.
        std::size_t fit = static_cast<std::size_t>(cchWideChar);
        if (wide[fit - 1] >= 0xD800 && wide[fit - 1] <= 0xDBFF)
            --fit;
        std::memcpy(lpWideCharStr, wide.data(), fit * sizeof(WCHAR));
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    std::memcpy(lpWideCharStr, wide.data(), wide.size() * sizeof(WCHAR));
    return needed;
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar)
{
    using namespace platform;
    const Page page = Classify(CodePage);
    if (page == Page::None)
        return Fail(ERROR_INVALID_PARAMETER);
    // WC_COMPOSITECHECK and the other composition flags are accepted for CP_ACP and change
    // nothing: every character has its own form in UTF-8, so there is nothing to compose.
    const DWORD allowed = page == Page::Utf8
                              ? WC_ERR_INVALID_CHARS
                              : WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_ERR_INVALID_CHARS |
                                    WC_COMPOSITECHECK | WC_NO_BEST_FIT_CHARS;
    if ((dwFlags & ~allowed) != 0)
        return Fail(ERROR_INVALID_FLAGS);
    if (page == Page::Utf8 && (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr))
        return Fail(ERROR_INVALID_PARAMETER);
    if (lpWideCharStr == nullptr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && lpMultiByteStr == nullptr) ||
        (cbMultiByte > 0 && static_cast<const void*>(lpWideCharStr) == lpMultiByteStr))
        return Fail(ERROR_INVALID_PARAMETER);

    std::size_t length;
    if (cchWideChar == -1)
    {
        length = 0;
        while (lpWideCharStr[length] != 0)
            ++length;
        ++length;
    }
    else
        length = static_cast<std::size_t>(cchWideChar);

    // An unpaired surrogate is the one thing UTF-8 cannot carry: it becomes the default
    // character when the caller gave one, else U+FFFD.
    std::string replacement = "\xEF\xBF\xBD";
    if (lpDefaultChar != nullptr && *lpDefaultChar != '\0')
        replacement = std::string(1, *lpDefaultChar);
    std::string narrow;
    const bool clean = Utf16ToUtf8(std::u16string_view(lpWideCharStr, length), narrow, replacement);
    if (!clean && (dwFlags & WC_ERR_INVALID_CHARS) != 0)
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    if (lpUsedDefaultChar != nullptr)
        *lpUsedDefaultChar = clean ? FALSE : TRUE;
    if (narrow.size() > static_cast<std::size_t>(INT_MAX))
        return Fail(ERROR_INVALID_PARAMETER);
    const int needed = static_cast<int>(narrow.size());
    if (cbMultiByte == 0)
        return needed;
    if (needed > cbMultiByte)
    {
        // Keep only whole characters in what fitted.
        std::size_t fit = static_cast<std::size_t>(cbMultiByte);
        while (fit > 0 && (static_cast<unsigned char>(narrow[fit]) & 0xC0) == 0x80)
            --fit;
        std::memcpy(lpMultiByteStr, narrow.data(), fit);
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    std::memcpy(lpMultiByteStr, narrow.data(), narrow.size());
    return needed;
}
