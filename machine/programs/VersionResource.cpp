#include "machine/programs/VersionResource.h"

#include "machine/AsciiCase.h"
#include "machine/FileStore.h"
#include "machine/Folders.h"

#include <charconv>
#include <fcntl.h>
#include <sys/stat.h>

namespace machine::programs
{
namespace
{

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string lowerExtension(std::string_view fileName)
{
    std::size_t dot = fileName.rfind('.');
    std::size_t slash = fileName.find_last_of("\\/");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    std::string ext(fileName.substr(dot));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

const std::string* findString(const VersionResource& r, std::string_view name)
{
    for (const auto& [key, value] : r.strings)
        if (EqualNoCase(key, std::string(name)))
            return &value;
    return nullptr;
}

} // namespace

std::optional<std::array<std::uint16_t, 4>> ParseVersionNumber(std::string_view text)
{
    std::array<std::uint16_t, 4> parts{};
    text = trim(text);
    if (text.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < 4 && !text.empty(); ++i)
    {
        std::size_t end = text.find_first_of(".,");
        std::string_view part = trim(text.substr(0, end));
        unsigned value = 0;
        auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || ec != std::errc() || ptr != part.data() + part.size() || value > 0xFFFF)
            return std::nullopt;
        parts[i] = static_cast<std::uint16_t>(value);
        if (end == std::string_view::npos)
            return parts;
        text.remove_prefix(end + 1);
        if (i == 3)
            return std::nullopt; // a fifth part
    }
    return text.empty() ? std::nullopt : std::optional(parts);
}

std::string FormatVersionSection(const VersionResource& resource)
{
    std::string out = "[version]\r\n";
    for (const auto& [key, value] : resource.strings)
        out += key + "=" + value + "\r\n";
    return out;
}

std::optional<VersionResource> ParseVersionSection(std::string_view text, std::string_view fileName)
{
    bool inSection = false;
    bool found = false;
    VersionResource r;
    while (!text.empty())
    {
        std::size_t end = text.find('\n');
        std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.front() == '[')
        {
            inSection = EqualNoCase(std::string(line), "[version]");
            found = found || inSection;
            continue;
        }
        if (!inSection)
            continue;
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || trim(line.substr(0, eq)).empty())
            continue;
        r.strings.emplace_back(std::string(trim(line.substr(0, eq))),
                               std::string(trim(line.substr(eq + 1))));
    }
    if (!found)
        return std::nullopt;
    if (const std::string* v = findString(r, "FileVersion"))
        if (auto n = ParseVersionNumber(*v))
            r.fileVersion = *n;
    r.productVersion = r.fileVersion;
    if (const std::string* v = findString(r, "ProductVersion"))
        if (auto n = ParseVersionNumber(*v))
            r.productVersion = *n;
    const std::string ext = lowerExtension(fileName);
    if (ext == ".sys")
    {
        r.fileType = kFileTypeDriver;
        r.fileSubtype = kFileSubtypeNetworkDriver;
    }
    else if (ext == ".dll")
        r.fileType = kFileTypeDll;
    return r;
}

std::optional<VersionResource> ReadVersionResource(const std::filesystem::path& host)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(host, ec))
        return std::nullopt;
    auto text = ReadWholeFile(host);
    if (!text)
        return std::nullopt;
    return ParseVersionSection(*text, host.filename().string());
}

bool SetFileTimes(const std::filesystem::path& host, std::int64_t unixSeconds)
{
    struct timespec times[2];
    times[0].tv_sec = static_cast<time_t>(unixSeconds);
    times[0].tv_nsec = 0;
    times[1] = times[0];
    return ::utimensat(AT_FDCWD, host.c_str(), times, 0) == 0;
}

bool WriteVersionedFile(const std::filesystem::path& host, const std::string& leadText,
                        const VersionResource& resource, std::int64_t unixSeconds)
{
    std::error_code ec;
    if (std::filesystem::exists(host, ec))
        return false;
    machine::CreateFolders(host.parent_path(), ec);
    if (!WriteFileAtomically(host, leadText + FormatVersionSection(resource), FileAccess::Everyone))
        return false;
    return SetFileTimes(host, unixSeconds);
}

} // namespace machine::programs
