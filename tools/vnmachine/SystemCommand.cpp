#include "tools/vnmachine/SystemCommand.h"

#include "machine/Machine.h"
#include "machine/MachineLock.h"
#include "machine/SystemInfo.h"
#include "tools/vnmachine/Arguments.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/JsonOutput.h"
#include "tools/vnmachine/MachineHandler.h"

#include <cstdio>
#include <iostream>

namespace
{

std::string hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFFu);
    return text;
}

void show(const machine::Machine& m)
{
    const machine::SystemInfo s = machine::LoadSystemInfo(m);
    if (JsonOutput())
    {
        nlohmann::json version = {
            {"major", s.majorVersion}, {"minor", s.minorVersion}, {"build", s.buildNumber}};
        if (!s.servicePack.empty())
            version["service_pack"] = s.servicePack;
        PrintJson({{"version", version},
                   {"product_type", s.productType},
                   {"language", s.languageId},
                   {"administrator", s.administrator},
                   {"wow64", s.wow64},
                   {"user", s.userName}});
        return;
    }
    std::cout << "version        " << s.majorVersion << "." << s.minorVersion << "."
              << s.buildNumber << (s.servicePack.empty() ? "" : " " + s.servicePack) << "\n"
              << "product        " << (s.productType == 1 ? "workstation" : "server") << " ("
              << s.productType << ")\n"
              << "language       " << hex4(s.languageId) << "\n"
              << "administrator  " << (s.administrator ? "on" : "off") << "\n"
              << "wow64          " << (s.wow64 ? "on" : "off") << "\n"
              << "user           " << s.userName << "\n";
}

// "MAJOR.MINOR" or "MAJOR.MINOR.BUILD".
void setVersion(machine::SystemInfo& s, const std::string& text)
{
    const auto first = text.find('.');
    const auto second = text.find('.', first == std::string::npos ? first : first + 1);
    const std::string bad = "version: '" + text + "' is not MAJOR.MINOR[.BUILD]";
    if (first == std::string::npos)
        throw UsageError{bad};
    auto major = ParseNumber(text.substr(0, first));
    auto minor = ParseNumber(text.substr(first + 1, second - first - 1));
    auto build = second == std::string::npos ? std::optional<long>(s.buildNumber)
                                             : ParseNumber(text.substr(second + 1));
    if (!major || !minor || !build || *major < 0 || *major > 99 || *minor < 0 || *minor > 99 ||
        *build < 0 || *build > 0xFFFFFFFFL)
        throw UsageError{bad};
    s.majorVersion = static_cast<std::uint32_t>(*major);
    s.minorVersion = static_cast<std::uint32_t>(*minor);
    s.buildNumber = static_cast<std::uint32_t>(*build);
}

void setField(machine::SystemInfo& s, const std::string& field, const std::string& value)
{
    if (field == "version")
        setVersion(s, value);
    else if (field == "service-pack")
        s.servicePack = value;
    else if (field == "product")
    {
        if (value != "workstation" && value != "server")
            throw UsageError{"product: '" + value + "' is neither workstation nor server"};
        s.productType = value == "workstation" ? 1 : 3;
    }
    else if (field == "language")
    {
        auto id = ParseCode(value);
        if (!id || *id == 0 || *id > 0xFFFF)
            throw UsageError{"language: '" + value + "' is no language id (0x0409)"};
        s.languageId = static_cast<std::uint16_t>(*id);
    }
    else if (field == "administrator")
        s.administrator = Needed(ParseOnOff(value), value);
    else if (field == "wow64")
        s.wow64 = Needed(ParseOnOff(value), value);
    else if (field == "user")
        s.userName = value;
    else
        throw UsageError{"no field '" + field + "'"};
}

int set(const machine::Machine& m, const Words& args)
{
    if (args.empty() || args.size() % 2 != 0)
        throw UsageError{args.empty() ? "missing FIELD VALUE"
                                      : "FIELD '" + args.back() + "' without a VALUE"};
    machine::MachineLock lock(m);
    machine::SystemInfo s = machine::LoadSystemInfo(m);
    for (std::size_t i = 0; i < args.size(); i += 2)
        setField(s, args[i], args[i + 1]);
    if (!machine::SaveSystemInfo(m, s))
    {
        std::cerr << "vnmachine: system.conf could not be written\n";
        return 1;
    }
    return 0;
}

} // namespace

int RunSystemCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine system",
        .commands =
            {
                {"show", {}, "the operating system, language, user and WOW64", WithoutWords(show)},
                {"set",
                 {"FIELD VALUE [FIELD VALUE]..."},
                 "change them (programs see it when they start)",
                 OnMachine(set),
                 "FIELD: version MAJOR.MINOR[.BUILD] (5.1 XP, 5.2 2003, 6.0 Vista, 6.1 7),\n"
                 "       service-pack TEXT, product workstation|server, language ID (0x0409),\n"
                 "       administrator on|off, wow64 on|off, user NAME.\n"},
            },
        .fallback = "show",
    };
    return table.run(args);
}
