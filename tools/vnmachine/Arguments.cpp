#include "tools/vnmachine/Arguments.h"

#include <cctype>
#include <exception>

std::optional<long> ParseNumber(const std::string& text, int base)
{
    // Strictly the number: no blanks or sign before it, nothing after it.
    const std::size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == first || !std::isxdigit(static_cast<unsigned char>(text[first])))
        return std::nullopt;
    try
    {
        std::size_t used = 0;
        long v = std::stol(text, &used, base);
        if (used == text.size())
            return v;
    }
    catch (const std::exception&)
    {
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ParseCode(const std::string& text)
{
    std::string digits =
        text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? text.substr(2) : text;
    try
    {
        std::size_t used = 0;
        unsigned long v = std::stoul(digits, &used, 16);
        if (used == digits.size() && v <= 0xFFFFFFFFul)
            return static_cast<std::uint32_t>(v);
    }
    catch (const std::exception&)
    {
    }
    return std::nullopt;
}

std::optional<std::string> ParseHexBytes(const std::string& text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2)
    {
        auto byte = ParseNumber(text.substr(i, 2), 16);
        if (!byte || *byte < 0 || text[i] == '-' || text[i + 1] == '-')
            return std::nullopt;
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

std::optional<int> ParseTimes(const std::string& text, int least, int most)
{
    if (text == "once")
        return 1;
    if (text == "always")
        return -1;
    if (auto n = ParseNumber(text); n && *n >= least && *n <= most)
        return static_cast<int>(*n);
    return std::nullopt;
}

std::optional<bool> ParseOnOff(const std::string& text)
{
    if (text == "on" || text == "off")
        return text == "on";
    return std::nullopt;
}
