#include "machine/SystemInfo.h"

#include "machine/FileStore.h"
#include "machine/text/LineValue.h"

#include <charconv>
#include <sstream>

namespace machine
{
namespace
{

template <class T> void parseNumber(const std::string& text, T& out)
{
    T value{};
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && ptr == text.data() + text.size())
        out = value;
}

void parseBool(const std::string& text, bool& out)
{
    if (text == "1" || text == "yes" || text == "true")
        out = true;
    else if (text == "0" || text == "no" || text == "false")
        out = false;
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

SystemInfo ParseSystemInfo(const std::string& text)
{
    SystemInfo info;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        auto eq = line.find('=');
        if (line.empty() || line[0] == '#' || eq == std::string::npos)
            continue;
        std::string key = line.substr(0, eq);
        std::string value = text::UnescapeLineValue(std::string_view(line).substr(eq + 1));
        if (key == "platform_id")
            parseNumber(value, info.platformId);
        else if (key == "major_version")
            parseNumber(value, info.majorVersion);
        else if (key == "minor_version")
            parseNumber(value, info.minorVersion);
        else if (key == "build_number")
            parseNumber(value, info.buildNumber);
        else if (key == "product_type")
            parseNumber(value, info.productType);
        else if (key == "service_pack")
            info.servicePack = value;
        else if (key == "version_ex_fails")
            parseBool(value, info.versionExFails);
        else if (key == "wow64")
            parseBool(value, info.wow64);
        else if (key == "wow64_exports")
            parseBool(value, info.hasWow64Exports);
        else if (key == "administrator")
            parseBool(value, info.administrator);
        else if (key == "user_name")
            info.userName = value;
        else if (key == "language_id")
            parseNumber(value, info.languageId);
        else if (key == "time_zone_bias_minutes")
            parseNumber(value, info.timeZoneBiasMinutes);
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
