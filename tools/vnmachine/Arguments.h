#pragma once
// The numbers and switches the machine tool takes in its arguments.

#include <cstdint>
#include <optional>
#include <string>

// A whole number in `base`; nullopt when the text holds anything else.
std::optional<long> ParseNumber(const std::string& text, int base = 10);

// A 32-bit code in hexadecimal, with or without "0x" (an object identifier, an HRESULT).
std::optional<std::uint32_t> ParseCode(const std::string& text);

// Bytes written as hexadecimal digits, two a byte ("0A1B"); nullopt for anything else.
std::optional<std::string> ParseHexBytes(const std::string& text);

// How many calls a fault is for: "once", "always" (-1), or a count from `least` to `most`.
std::optional<int> ParseTimes(const std::string& text, int least, int most);

// "on" or "off"; nullopt for anything else.
std::optional<bool> ParseOnOff(const std::string& text);
