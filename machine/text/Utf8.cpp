#include "machine/text/Utf8.h"

namespace machine::text
{
namespace
{

constexpr char32_t kMaxCodePoint = 0x10FFFF;

constexpr bool IsSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

constexpr bool IsHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

constexpr bool IsLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

char Byte(char32_t bits)
{
    return static_cast<char>(static_cast<unsigned char>(bits));
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    if (IsSurrogate(cp) || cp > kMaxCodePoint)
        cp = kReplacementCharacter;
    if (cp < 0x80)
        out += Byte(cp);
    else if (cp < 0x800)
    {
        out += Byte(0xC0 | (cp >> 6));
        out += Byte(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += Byte(0xE0 | (cp >> 12));
        out += Byte(0x80 | ((cp >> 6) & 0x3F));
        out += Byte(0x80 | (cp & 0x3F));
    }
    else
    {
        out += Byte(0xF0 | (cp >> 18));
        out += Byte(0x80 | ((cp >> 12) & 0x3F));
        out += Byte(0x80 | ((cp >> 6) & 0x3F));
        out += Byte(0x80 | (cp & 0x3F));
    }
}

std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& cp)
{
    if (at >= text.size())
        return 0;
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length;
    char32_t least; // the smallest code point of this length: anything less is overlong
    if (lead < 0x80)
    {
        cp = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF)
    {
        length = 2;
        cp = lead & 0x1F;
        least = 0x80;
    }
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3;
        cp = lead & 0x0F;
        least = 0x800;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4;
        cp = lead & 0x07;
        least = 0x10000;
    }
    else
        return 0;
    if (text.size() - at < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k)
    {
        const auto b = static_cast<unsigned char>(text[at + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < least || cp > kMaxCodePoint || IsSurrogate(cp))
        return 0;
    return length;
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at)
{
    char32_t ignored;
    return DecodeUtf8(text, at, ignored);
}

bool IsWellFormedUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();)
    {
        const std::size_t n = Utf8SequenceLength(text, at);
        if (n == 0)
            return false;
        at += n;
    }
    return true;
}

bool Utf8ToUtf16(std::string_view in, std::u16string& out)
{
    out.clear();
    out.reserve(in.size());
    bool clean = true;
    for (std::size_t at = 0; at < in.size();)
    {
        char32_t cp;
        const std::size_t n = DecodeUtf8(in, at, cp);
        if (n == 0)
        {
            out += static_cast<char16_t>(kReplacementCharacter);
            clean = false;
            ++at;
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
        at += n;
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
        const char32_t u = in[i];
        if (IsHighSurrogate(u) && i + 1 < in.size() && IsLowSurrogate(in[i + 1]))
        {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (in[i + 1] - 0xDC00));
            ++i;
        }
        else if (IsSurrogate(u))
        {
            out += replacement;
            clean = false;
        }
        else
            AppendUtf8(out, u);
    }
    return clean;
}

} // namespace machine::text
