#include "machine/SystemInfo.h"

#include "machine/FileStore.h"
#include "machine/text/LineValue.h"

#include <charconv>
#include <sstream>

namespace machine
{
namespace
{

template <class T> bool parseNumber(const std::string& text, T& out)
{
    T value{};
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return false;
    out = value;
    return true;
}

bool parseBool(const std::string& text, bool& out)
{
    if (text == "1" || text == "yes" || text == "true")
        out = true;
    else if (text == "0" || text == "no" || text == "false")
        out = false;
    else
        return false;
    return true;
}

} // namespace

std::string FormatSystemInfo(const SystemInfo& info)
{
    std::ostringstream out;
    out << "platform_id=" << info.platformId << "\n"
        << "major_version=" << info.majorVersion << "\n"
        << "minor_version=" << info.minorVersion << "\n"
        << "build_number=" << info.buildNumber << "\n"
        << "product_type=" << info.productType << "\n"
        << "service_pack=" << text::EscapeLineValue(info.servicePack) << "\n"
        << "version_ex_fails=" << (info.versionExFails ? 1 : 0) << "\n"
        << "wow64=" << (info.wow64 ? 1 : 0) << "\n"
        << "wow64_exports=" << (info.hasWow64Exports ? 1 : 0) << "\n"
        << "administrator=" << (info.administrator ? 1 : 0) << "\n"
        << "user_name=" << text::EscapeLineValue(info.userName) << "\n"
        << "language_id=" << info.languageId << "\n"
        << "time_zone_bias_minutes=" << info.timeZoneBiasMinutes << "\n";
    return out.str();
}

SystemInfo ParseSystemInfo(const std::string& text, std::vector<LineProblem>* problems)
{
    SystemInfo info;
    std::istringstream in(text);
    std::string line;
    std::size_t number = 0;
    while (std::getline(in, line))
    {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#')
            continue;
        auto eq = line.find('=');
        std::string key = line.substr(0, eq);
        std::string value = eq == std::string::npos
                                ? std::string()
                                : text::UnescapeLineValue(std::string_view(line).substr(eq + 1));
        bool read = eq != std::string::npos;
        if (!read)
        {
        }
        else if (key == "platform_id")
            read = parseNumber(value, info.platformId);
        else if (key == "major_version")
            read = parseNumber(value, info.majorVersion);
        else if (key == "minor_version")
            read = parseNumber(value, info.minorVersion);
        else if (key == "build_number")
            read = parseNumber(value, info.buildNumber);
        else if (key == "product_type")
            read = parseNumber(value, info.productType);
        else if (key == "service_pack")
            info.servicePack = value;
        else if (key == "version_ex_fails")
            read = parseBool(value, info.versionExFails);
        else if (key == "wow64")
            read = parseBool(value, info.wow64);
        else if (key == "wow64_exports")
            read = parseBool(value, info.hasWow64Exports);
        else if (key == "administrator")
            read = parseBool(value, info.administrator);
        else if (key == "user_name")
            info.userName = value;
        else if (key == "language_id")
            read = parseNumber(value, info.languageId);
        else if (key == "time_zone_bias_minutes")
            read = parseNumber(value, info.timeZoneBiasMinutes);
        else
        {
            if (problems != nullptr)
                problems->push_back({number, "unknown key \"" + key + "\""});
            continue;
        }
        if (!read && problems != nullptr)
            problems->push_back({number, eq == std::string::npos
                                             ? "a line without \"=\""
                                             : "\"" + key + "\" does not take \"" + value + "\""});
    }
    return info;
}

SystemInfo LoadSystemInfo(const Machine& machine)
{
    auto text = ReadWholeFile(machine.systemConfPath());
    return text ? ParseSystemInfo(*text) : SystemInfo{};
}

bool SaveSystemInfo(const Machine& machine, const SystemInfo& info)
{
    return WriteFileAtomically(machine.systemConfPath(), FormatSystemInfo(info),
                               FileAccess::Everyone);
}

} // namespace machine
