#pragma once
// Version information of the machine's files. A program or driver file carries it as a section
// of its text a person can read and edit:
//
//   [version]
//   FileVersion=3.1.0.12
//   LegalCopyright=Copyright (C) 2009 Tessaryn Networks
//
// Every "Name=Value" line up to the next "[" line or the end is a string of the file's string
// table (in order); the fixed file and product versions are read from "FileVersion" and
// "ProductVersion" ("a.b.c.d" or "a, b, c, d"; missing parts are 0). The file type follows
// the extension: ".sys" a network driver, ".dll" a library, anything else a program.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace machine::programs
{

inline constexpr std::uint32_t kFileTypeApp = 1;
inline constexpr std::uint32_t kFileTypeDll = 2;
inline constexpr std::uint32_t kFileTypeDriver = 3;
inline constexpr std::uint32_t kFileSubtypeNetworkDriver = 6;

struct VersionResource
{
    std::array<std::uint16_t, 4> fileVersion{}; // most significant first
    std::array<std::uint16_t, 4> productVersion{};
    std::uint32_t fileType = kFileTypeApp;
    std::uint32_t fileSubtype = 0;
    std::uint16_t language = 0x0409;                          // U.S. English
    std::uint16_t codePage = 0x04B0;                          // Unicode
    std::vector<std::pair<std::string, std::string>> strings; // UTF-8

    bool operator==(const VersionResource&) const = default;
};

// "3.1.0.12" or "3, 1, 0, 12"; nullopt when a part is no number below 65536.
std::optional<std::array<std::uint16_t, 4>> ParseVersionNumber(std::string_view text);

// "[version]\r\n" and the string lines.
std::string FormatVersionSection(const VersionResource& resource);
// The section of a file's text; nullopt when the text has none. `fileName` gives the type.
std::optional<VersionResource> ParseVersionSection(std::string_view text,
                                                   std::string_view fileName = {});

// The version information of a host file; nullopt when it has none or cannot be read.
std::optional<VersionResource> ReadVersionResource(const std::filesystem::path& host);

// Sets a host file's last-write and last-access time (seconds since 1970, UTC).
bool SetFileTimes(const std::filesystem::path& host, std::int64_t unixSeconds);

// A driver file or program with its version section, and its times set to `unixSeconds`.
// Nothing happens when the file exists already (a person's edit is kept).
bool WriteVersionedFile(const std::filesystem::path& host, const std::string& leadText,
                        const VersionResource& resource, std::int64_t unixSeconds);

} // namespace machine::programs
