#include "tools/vnmachine/ProgramsCommand.h"

#include "machine/Machine.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"

#include <iostream>
#include <optional>

namespace programs = machine::programs;

namespace
{

int usage()
{
    std::cerr << "usage: vnmachine programs log | clear-log | settings\n"
                 "       vnmachine programs fail PROGRAM CODE [once] | fail clear\n"
                 "       vnmachine programs record-only PROGRAM on|off\n"
                 "       vnmachine programs report-delay MS\n"
                 "       vnmachine programs report-fail on|off\n";
    return 2;
}

std::optional<unsigned long> number(const std::string& text)
{
    try
    {
        std::size_t used = 0;
        unsigned long v = std::stoul(text, &used, 10);
        if (used == text.size() && text[0] != '-' && v <= 0xFFFFFFFFul)
            return v;
    }
    catch (const std::exception&)
    {
    }
    return std::nullopt;
}

} // namespace

int RunProgramsCommand(const std::vector<std::string>& args)
{
    const machine::Machine& m = machine::CurrentMachine();
    if (args.empty())
        return usage();
    const std::string& verb = args[0];
    if (verb == "log" && args.size() == 1)
    {
        for (const auto& line : programs::ReadProgramLog(m))
            std::cout << line << "\n";
        return 0;
    }
    if (verb == "clear-log" && args.size() == 1)
    {
        programs::ClearProgramLog(m);
        return 0;
    }
    if (verb == "settings" && args.size() == 1)
    {
        std::cout << programs::FormatProgramSettings(programs::LoadProgramSettings(m));
        return 0;
    }
    if (verb == "fail" && args.size() == 2 && args[1] == "clear")
    {
        programs::ClearStartFailures(m);
        return 0;
    }
    if (verb == "fail" && (args.size() == 3 || (args.size() == 4 && args[3] == "once")))
    {
        auto code = number(args[2]);
        if (!code)
            return usage();
        programs::InjectStartFailure(m, args[1], static_cast<std::uint32_t>(*code),
                                     args.size() == 4 ? 1 : -1);
        return 0;
    }
    if (verb == "record-only" && args.size() == 3 && (args[2] == "on" || args[2] == "off"))
    {
        programs::SetRecordOnly(m, args[1], args[2] == "on");
        return 0;
    }
    if (verb == "report-delay" && args.size() == 2)
    {
        auto ms = number(args[1]);
        if (!ms)
            return usage();
        programs::SetReportDelay(m, static_cast<std::uint32_t>(*ms));
        return 0;
    }
    if (verb == "report-fail" && args.size() == 2 && (args[1] == "on" || args[1] == "off"))
    {
        programs::SetReportWritesNothing(m, args[1] == "on");
        return 0;
    }
    return usage();
}
