#pragma once
// printf-style formatting with the platform run-time's rules, behind CString::Format and
// wsprintfA.
//
// The conversions are those of the platform's C run-time, MSVC forms included: %d %i %u %o %x %X
// %c %s %e %f %g (and upper-case forms) with flags (- + space # 0), width, precision and '*';
// size prefixes h, hh, l (32 bits, as long is there), ll, I64, I32, I, z, t, j; %hs and %hc are
// narrow, %ls %ws %S are UTF-16 strings and %lc %wc %C UTF-16 characters (written as UTF-8). %p is
// printed as %08X would print the value: 8 upper-case hexadecimal digits, no "0x". %n writes
// nothing. Floating-point output always uses '.' whatever the process locale says.
//
// Arguments come either from a C va_list or, type-safe, from a C++ argument pack. With a pack a
// CString or std::string can be passed for %s, and a mismatched or missing argument cannot
// misread memory: a number asked for a string gives "(null)", a string or pointer asked for a
// number gives its address, a floating value asked for an integer gives 0, and an integer asked
// for a floating value gives its value. Widths and precisions are capped at kMaxFieldWidth.

#include "platform/base/WinTypes.h"

#include <concepts>
#include <cstdarg>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace platform
{

inline constexpr int kMaxFieldWidth = 65536;

struct FormatArg
{
    enum class Kind
    {
        None,
        Signed,
        Unsigned,
        Real,
        Text,
        WideText,
        Pointer
    };

    Kind kind = Kind::None;
    std::uint64_t bits = 0; // Signed (two's complement), Unsigned, Pointer
    double real = 0;
    const void* text = nullptr;                  // Text: const char*, WideText: const WCHAR*
    std::size_t length = std::string_view::npos; // npos: NUL-terminated
};

template <class T>
concept HasGetString = requires(const T& t)
{
    {
        t.GetString()
        } -> std::convertible_to<const char*>;
};

template <class T> FormatArg MakeFormatArg(const T& value)
{
    using U = std::remove_cv_t<T>;
    FormatArg a;
    if constexpr (std::is_array_v<U>)
    {
        using P = const std::remove_extent_t<U>*;
        return MakeFormatArg<P>(static_cast<P>(value));
    }
    else if constexpr (HasGetString<U>)
    {
        a.kind = FormatArg::Kind::Text;
        a.text = static_cast<const char*>(value.GetString());
    }
    else if constexpr (std::is_same_v<U, std::string>)
    {
        a.kind = FormatArg::Kind::Text;
        a.text = value.c_str();
    }
    else if constexpr (std::is_same_v<U, std::string_view>)
    {
        a.kind = FormatArg::Kind::Text;
        a.text = value.data();
        a.length = value.size();
    }
    else if constexpr (std::is_same_v<U, std::u16string>)
    {
        a.kind = FormatArg::Kind::WideText;
        a.text = value.c_str();
    }
    else if constexpr (std::is_enum_v<U>)
    {
        return MakeFormatArg(static_cast<std::underlying_type_t<U>>(value));
    }
    else if constexpr (std::is_integral_v<U>)
    {
        if constexpr (std::is_signed_v<U>)
        {
            a.kind = FormatArg::Kind::Signed;
            a.bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(value));
        }
        else
        {
            a.kind = FormatArg::Kind::Unsigned;
            a.bits = static_cast<std::uint64_t>(value);
        }
    }
    else if constexpr (std::is_floating_point_v<U>)
    {
        a.kind = FormatArg::Kind::Real;
        a.real = static_cast<double>(value);
    }
    else if constexpr (std::is_same_v<U, std::nullptr_t>)
    {
        a.kind = FormatArg::Kind::Pointer;
    }
    else if constexpr (std::is_pointer_v<U>)
    {
        using E = std::remove_cv_t<std::remove_pointer_t<U>>;
        if constexpr (std::is_same_v<E, char> || std::is_same_v<E, unsigned char> ||
                      std::is_same_v<E, signed char>)
        {
            a.kind = FormatArg::Kind::Text;
            a.text = value;
        }
        else if constexpr (std::is_same_v<E, WCHAR>)
        {
            a.kind = FormatArg::Kind::WideText;
            a.text = value;
        }
        else
        {
            a.kind = FormatArg::Kind::Pointer;
            a.bits = reinterpret_cast<std::uintptr_t>(value);
        }
    }
    else
    {
        static_assert(std::is_pointer_v<U>, "this type cannot be formatted");
    }
    return a;
}

std::string FormatString(const char* format, std::span<const FormatArg> args);
std::string FormatStringV(const char* format, va_list args);

template <class... Args> std::string Format(const char* format, const Args&... args)
{
    const FormatArg list[] = {MakeFormatArg(args)..., FormatArg{}};
    return FormatString(format, std::span<const FormatArg>(list, sizeof...(Args)));
}

} // namespace platform
