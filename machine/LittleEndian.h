#pragma once
// 32-bit words in the records drivers exchange: least significant byte first.

#include <cstddef>
#include <cstdint>
#include <string>

namespace machine
{

// The word at `offset`; the caller has checked that four bytes are there.
inline std::uint32_t ReadLe32(const std::string& bytes, std::size_t offset = 0)
{
    std::uint32_t v = 0;
    for (std::size_t i = 4; i-- > 0;)
        v = (v << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return v;
}

inline std::string Le32(std::uint32_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
            static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
}

} // namespace machine
