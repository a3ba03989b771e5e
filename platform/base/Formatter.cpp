#include "platform/base/Formatter.h"

#include "platform/base/StringConv.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <locale.h>

namespace platform
{
namespace
{

// What a conversion reads from the argument list.
enum class Want
{
    Int32,
    Int64,
    Real,
    Text,
    WideText,
    Pointer
};

class ArgSource
{
public:
    virtual ~ArgSource() = default;
    virtual FormatArg Next(Want want) = 0;
};

class PackSource final : public ArgSource
{
public:
    explicit PackSource(std::span<const FormatArg> args) : m_args(args) {}
    FormatArg Next(Want) override
    {
        return m_next < m_args.size() ? m_args[m_next++] : FormatArg{};
    }

private:
    std::span<const FormatArg> m_args;
    std::size_t m_next = 0;
};

// Reads each argument with the type the conversion names, as the C run-time does.
class VaSource final : public ArgSource
{
public:
    explicit VaSource(va_list args) { va_copy(m_args, args); }
    ~VaSource() override { va_end(m_args); }
    FormatArg Next(Want want) override
    {
        FormatArg a;
        switch (want)
        {
        case Want::Int32:
            a.kind = FormatArg::Kind::Signed;
            a.bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(va_arg(m_args, int)));
            break;
        case Want::Int64:
            a.kind = FormatArg::Kind::Signed;
            a.bits = static_cast<std::uint64_t>(va_arg(m_args, long long));
            break;
        case Want::Real:
            a.kind = FormatArg::Kind::Real;
            a.real = va_arg(m_args, double);
            break;
        case Want::Text:
            a.kind = FormatArg::Kind::Text;
            a.text = va_arg(m_args, const char*);
            break;
        case Want::WideText:
            a.kind = FormatArg::Kind::WideText;
            a.text = va_arg(m_args, const WCHAR*);
            break;
        case Want::Pointer:
            a.kind = FormatArg::Kind::Pointer;
            a.bits = reinterpret_cast<std::uintptr_t>(va_arg(m_args, const void*));
            break;
        }
        return a;
    }

private:
    va_list m_args;
};

std::uint64_t AsBits(const FormatArg& a)
{
    switch (a.kind)
    {
    case FormatArg::Kind::Signed:
    case FormatArg::Kind::Unsigned:
    case FormatArg::Kind::Pointer:
        return a.bits;
    case FormatArg::Kind::Text:
    case FormatArg::Kind::WideText:
        return reinterpret_cast<std::uintptr_t>(a.text);
    default:
        return 0;
    }
}

double AsReal(const FormatArg& a)
{
    switch (a.kind)
    {
    case FormatArg::Kind::Real:
        return a.real;
    case FormatArg::Kind::Signed:
        return static_cast<double>(static_cast<std::int64_t>(a.bits));
    case FormatArg::Kind::Unsigned:
        return static_cast<double>(a.bits);
    default:
        return 0;
    }
}

struct Conversion
{
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alt = false;
    bool zero = false;
    int width = 0;
    int precision = -1;
    int bits = 32; // integer size
    bool wide = false;
    bool narrow = false;
};

int ClampField(long long v)
{
    return v > kMaxFieldWidth ? kMaxFieldWidth : static_cast<int>(v);
}

void Pad(std::string& out, std::size_t count, char c)
{
    out.append(count, c);
}

// Places body (with its sign or prefix already split off) into the field.
void Emit(std::string& out, const Conversion& s, std::string_view prefix, std::string_view body,
          bool zeroPad)
{
    const std::size_t len = prefix.size() + body.size();
    const std::size_t fill = static_cast<std::size_t>(s.width) > len ? s.width - len : 0;
    if (s.left)
    {
        out += prefix;
        out += body;
        Pad(out, fill, ' ');
    }
    else if (zeroPad)
    {
        out += prefix;
        Pad(out, fill, '0');
        out += body;
    }
    else
    {
        Pad(out, fill, ' ');
        out += prefix;
        out += body;
    }
}

void EmitInteger(std::string& out, const Conversion& s, std::uint64_t raw, bool isSigned, int base,
                 bool upper)
{
    const std::uint64_t mask = s.bits >= 64 ? ~0ull : ((1ull << s.bits) - 1);
    raw &= mask;
    bool negative = false;
    std::uint64_t magnitude = raw;
    if (isSigned && s.bits < 64 && (raw >> (s.bits - 1)) != 0)
    {
        negative = true;
        magnitude = (~raw + 1) & mask;
    }
    else if (isSigned && s.bits == 64 && static_cast<std::int64_t>(raw) < 0)
    {
        negative = true;
        magnitude = ~raw + 1;
    }

    char digits[64];
    std::size_t n = 0;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    for (std::uint64_t v = magnitude; v != 0; v /= static_cast<unsigned>(base))
        digits[n++] = set[v % static_cast<unsigned>(base)];
    std::string body;
    const std::size_t minDigits = s.precision < 0 ? 1 : static_cast<std::size_t>(s.precision);
    if (minDigits > n)
        body.append(minDigits - n, '0');
    while (n > 0)
        body += digits[--n];
    if (base == 8 && s.alt && (body.empty() || body[0] != '0'))
        body.insert(body.begin(), '0');

    std::string prefix;
    if (isSigned)
    {
        if (negative)
            prefix = "-";
        else if (s.plus)
            prefix = "+";
        else if (s.space)
            prefix = " ";
    }
    if (base == 16 && s.alt && magnitude != 0)
        prefix = upper ? "0X" : "0x";
    Emit(out, s, prefix, body, s.zero && !s.left && s.precision < 0);
}

locale_t ClassicLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// Floating-point text through the C library, under the "C" locale for this thread only, so the
// decimal point is '.' whatever the process locale is.
void EmitReal(std::string& out, const Conversion& s, double value, char conv)
{
    std::string pattern = "%";
    if (s.left)
        pattern += '-';
    if (s.plus)
        pattern += '+';
    if (s.space)
        pattern += ' ';
    if (s.alt)
        pattern += '#';
    if (s.zero)
        pattern += '0';
    // Without a precision the library's default applies (6, or exact for %a).
    pattern += s.precision < 0 ? "*" : "*.*";
    pattern += conv;
    const auto print = [&](char* buf, std::size_t size)
    {
        return s.precision < 0
                   ? std::snprintf(buf, size, pattern.c_str(), s.width, value)
                   : std::snprintf(buf, size, pattern.c_str(), s.width, s.precision, value);
    };

    const locale_t classic = ClassicLocale();
    const locale_t previous = classic ? uselocale(classic) : static_cast<locale_t>(nullptr);
    char small[128];
    const int n = print(small, sizeof small);
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof small)
        out.append(small, static_cast<std::size_t>(n));
    else if (n >= 0)
    {
        std::string big(static_cast<std::size_t>(n) + 1, '\0');
        print(big.data(), big.size());
        big.resize(static_cast<std::size_t>(n));
        out += big;
    }
    if (classic)
        uselocale(previous);
}

void EmitText(std::string& out, const Conversion& s, const FormatArg& a)
{
    std::string converted;
    std::string_view body;
    if (a.kind == FormatArg::Kind::WideText && a.text != nullptr)
    {
        const auto* w = static_cast<const WCHAR*>(a.text);
        std::size_t n = 0;
        const std::size_t limit =
            s.precision < 0 ? a.length : static_cast<std::size_t>(s.precision);
        while (n < limit && w[n] != 0)
            ++n;
        converted = Utf16ToUtf8(std::u16string_view(w, n));
        body = converted;
    }
    else if (a.kind == FormatArg::Kind::Text && a.text != nullptr)
    {
        const auto* p = static_cast<const char*>(a.text);
        std::size_t n;
        if (a.length != std::string_view::npos)
            n = a.length;
        else if (s.precision >= 0)
            n = strnlen(p, static_cast<std::size_t>(s.precision));
        else
            n = std::strlen(p);
        body = std::string_view(p, n);
    }
    else
        body = "(null)";
    if (s.precision >= 0 && body.size() > static_cast<std::size_t>(s.precision))
        body = body.substr(0, static_cast<std::size_t>(s.precision));
    // The platform's run-time pads strings with zeros too when asked to.
    Emit(out, s, {}, body, s.zero && !s.left);
}

void EmitChar(std::string& out, const Conversion& s, const FormatArg& a, bool wide)
{
    std::string body;
    const std::uint64_t v = AsBits(a);
    if (wide)
    {
        const char16_t c = static_cast<char16_t>(v & 0xFFFF);
        body = Utf16ToUtf8(std::u16string_view(&c, 1));
    }
    else
        body.assign(1, static_cast<char>(v & 0xFF));
    Emit(out, s, {}, body, s.zero && !s.left);
}

std::string Run(const char* format, ArgSource& src)
{
    std::string out;
    if (format == nullptr)
        return out;
    const char* p = format;
    while (*p != '\0')
    {
        if (*p != '%')
        {
            const char* next = std::strchr(p, '%');
            const std::size_t n = next ? static_cast<std::size_t>(next - p) : std::strlen(p);
            out.append(p, n);
            p += n;
            continue;
        }
        const char* start = p++;
        if (*p == '%')
        {
            out += '%';
            ++p;
            continue;
        }
        Conversion s;
        for (;; ++p)
        {
            if (*p == '-')
                s.left = true;
            else if (*p == '+')
                s.plus = true;
            else if (*p == ' ')
                s.space = true;
            else if (*p == '#')
                s.alt = true;
            else if (*p == '0')
                s.zero = true;
            else
                break;
        }
        if (*p == '*')
        {
            const auto w = static_cast<std::int32_t>(AsBits(src.Next(Want::Int32)));
            if (w < 0)
            {
                s.left = true;
                s.width = ClampField(-static_cast<long long>(w));
            }
            else
                s.width = ClampField(w);
            ++p;
        }
        else
        {
            long long w = 0;
            while (*p >= '0' && *p <= '9')
                w = std::min<long long>(w * 10 + (*p++ - '0'), kMaxFieldWidth);
            s.width = ClampField(w);
        }
        if (*p == '.')
        {
            ++p;
            if (*p == '*')
            {
                const auto v = static_cast<std::int32_t>(AsBits(src.Next(Want::Int32)));
                s.precision = v < 0 ? -1 : ClampField(v);
                ++p;
            }
            else
            {
                long long v = 0;
                while (*p >= '0' && *p <= '9')
                    v = std::min<long long>(v * 10 + (*p++ - '0'), kMaxFieldWidth);
                s.precision = ClampField(v);
            }
        }
        // Size prefixes. long is 32 bits on the platform; I without digits is pointer-sized,
        // which is 32 bits there too.
        if (p[0] == 'I' && p[1] == '6' && p[2] == '4')
        {
            s.bits = 64;
            p += 3;
        }
        else if (p[0] == 'I' && p[1] == '3' && p[2] == '2')
            p += 3;
        else if (p[0] == 'h' && p[1] == 'h')
        {
            s.bits = 8;
            s.narrow = true;
            p += 2;
        }
        else if (p[0] == 'l' && p[1] == 'l')
        {
            s.bits = 64;
            p += 2;
        }
        else if (*p == 'h')
        {
            s.bits = 16;
            s.narrow = true;
            ++p;
        }
        else if (*p == 'l' || *p == 'w')
        {
            s.wide = true;
            ++p;
        }
        else if (*p == 'j')
        {
            s.bits = 64;
            ++p;
        }
        else if (*p == 'I' || *p == 'z' || *p == 't' || *p == 'L')
            ++p;

        const char conv = *p;
        if (conv == '\0')
        {
            out.append(start, static_cast<std::size_t>(p - start));
            break;
        }
        ++p;
        const Want intWant = s.bits == 64 ? Want::Int64 : Want::Int32;
        switch (conv)
        {
        case 'd':
        case 'i':
            EmitInteger(out, s, AsBits(src.Next(intWant)), true, 10, false);
            break;
        case 'u':
            EmitInteger(out, s, AsBits(src.Next(intWant)), false, 10, false);
            break;
        case 'o':
            EmitInteger(out, s, AsBits(src.Next(intWant)), false, 8, false);
            break;
        case 'x':
        case 'X':
            EmitInteger(out, s, AsBits(src.Next(intWant)), false, 16, conv == 'X');
            break;
        case 'p':
        {
            Conversion ps = s;
            ps.bits = 32;
            ps.alt = false;
            ps.precision = std::max(s.precision, 8);
            EmitInteger(out, ps, AsBits(src.Next(Want::Pointer)), false, 16, true);
            break;
        }
        case 'c':
        case 'C':
        {
            const bool wide = conv == 'C' ? !s.narrow : s.wide;
            EmitChar(out, s, src.Next(Want::Int32), wide);
            break;
        }
        case 's':
        case 'S':
        {
            const bool wide = conv == 'S' ? !s.narrow : s.wide;
            EmitText(out, s, src.Next(wide ? Want::WideText : Want::Text));
            break;
        }
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            EmitReal(out, s, AsReal(src.Next(Want::Real)), conv);
            break;
        case 'n':
            // Writing through the argument is refused, as the platform's run-time does.
            src.Next(Want::Pointer);
            break;
        default:
            // Not a conversion: shown as written.
            out.append(start, static_cast<std::size_t>(p - start));
            break;
        }
    }
    return out;
}

} // namespace

std::string FormatString(const char* format, std::span<const FormatArg> args)
{
    PackSource src(args);
    return Run(format, src);
}

std::string FormatStringV(const char* format, va_list args)
{
    VaSource src(args);
    return Run(format, src);
}

} // namespace platform
