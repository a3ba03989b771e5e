#include "platform/base/StringConv.h"

#include "platform/base/WinError.h"

#include <climits>
#include <cstring>

namespace platform
{
namespace
{

constexpr char16_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Decodes one well-formed sequence at in[i]; returns its length, or 0 when none starts there.
std::size_t DecodeOne(std::string_view in, std::size_t i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(in[i]);
    std::size_t need;
    char32_t min;
    if (b0 < 0x80)
    {
        cp = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF)
    {
        need = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    }
    else if (b0 >= 0xE0 && b0 <= 0xEF)
    {
        need = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    }
    else if (b0 >= 0xF0 && b0 <= 0xF4)
    {
        need = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    }
    else
        return 0;
    if (in.size() - i < need)
        return 0;
    for (std::size_t k = 1; k < need; ++k)
    {
        const auto b = static_cast<unsigned char>(in[i + k]);
        if (!IsContinuation(b))
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return need;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80)
        out += static_cast<char>(cp);
    else if (cp < 0x800)
    {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

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
    out.clear();
    out.reserve(in.size());
    bool clean = true;
    for (std::size_t i = 0; i < in.size();)
    {
        char32_t cp;
        const std::size_t n = DecodeOne(in, i, cp);
        if (n == 0)
        {
            out += kReplacement;
            clean = false;
            ++i;
            continue;
        }
        if (cp >= 0x10000)
        {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
        else
            out += static_cast<char16_t>(cp);
        i += n;
    }
    return clean;
}

bool Utf16ToUtf8(std::u16string_view in, std::string& out, std::string_view replacement)
{
    out.clear();
    out.reserve(in.size());
    bool clean = true;
    for (std::size_t i = 0; i < in.size(); ++i)
    {
        const char16_t u = in[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
            in[i + 1] <= 0xDFFF)
        {
            AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (in[i + 1] - 0xDC00));
            ++i;
        }
        else if (u >= 0xD800 && u <= 0xDFFF)
        {
            out += replacement;
            clean = false;
        }
        else
            AppendUtf8(out, u);
    }
    return clean;
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
