#pragma once
// The property every machine file shares: what is read from any text, written and read again,
// is what was read the first time. Compared through the written text, which covers every field.

#include <cstdlib>
#include <string>

namespace fuzz_support
{

template <class Parse, class Format>
void CheckRoundTrip(const std::string& input, Parse parse, Format format)
{
    const std::string once = format(parse(input));
    if (format(parse(once)) != once)
        std::abort();
}

} // namespace fuzz_support
