#pragma once
// The property every machine file shares: what is read from any text, written and read again,
// is what was read the first time. Compared through the written text, which covers every field.

#include <cstdlib>
#include <string>
#include <type_traits>

namespace fuzz_support
{

// A reader that can also list the lines it could not read is asked for nothing more.
template <class Parse> auto ReadText(Parse parse, const std::string& text)
{
    if constexpr (std::is_invocable_v<Parse, const std::string&>)
        return parse(text);
    else
        return parse(text, nullptr);
}

template <class Parse, class Format>
void CheckRoundTrip(const std::string& input, Parse parse, Format format)
{
    const std::string once = format(ReadText(parse, input));
    if (format(ReadText(parse, once)) != once)
        std::abort();
}

} // namespace fuzz_support
