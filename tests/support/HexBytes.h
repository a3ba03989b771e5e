#pragma once
// Expected request payloads written the way they read in a dump.

#include <cstdint>
#include <sstream>
#include <string>

namespace testing_support
{

// "01 02 ff" -> those bytes, zero-padded up to `size`.
inline std::string HexBytes(const std::string& text, std::size_t size = 0)
{
    std::istringstream in(text);
    std::string out;
    std::string word;
    while (in >> word)
        out.push_back(static_cast<char>(std::stoul(word, nullptr, 16)));
    if (out.size() < size)
        out.resize(size, '\0');
    return out;
}

// A 32-bit value as the driver's payload holds it, least significant byte first.
inline std::string le32(std::uint32_t v)
{
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

} // namespace testing_support
