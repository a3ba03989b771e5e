#include "tools/vnmachine/ProgramsCommand.h"

#include "machine/Machine.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "tools/vnmachine/Arguments.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/MachineHandler.h"

#include <strings.h>

#include <iostream>
#include <optional>

namespace programs = machine::programs;

namespace
{

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

// The programs whose starts can be made record-only: the project's own, by the names their
// starts are matched with.
bool isProjectProgram(const std::string& name)
{
    for (const char* program : {"TessarynUI", "TessarynAp", "UplinkPick"})
        if (::strcasecmp(name.c_str(), program) == 0)
            return true;
    return false;
}

int fail(const machine::Machine& m, const Words& args)
{
    if (args.size() == 1 && args[0] == "clear")
    {
        programs::ClearStartFailures(m);
        return 0;
    }
    NeedWords(args, 2, 3);
    auto code = number(args[1]);
    if (!code || (args.size() == 3 && args[2] != "once"))
        throw UsageError{};
    programs::InjectStartFailure(m, args[0], static_cast<std::uint32_t>(*code),
                                 args.size() == 3 ? 1 : -1);
    return 0;
}

} // namespace

int RunProgramsCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine programs",
        .commands =
            {
                {"log",
                 {},
                 "every start: command line, show state, directory and result",
                 PrintingLog(programs::ReadProgramLog, programs::ProgramLogPath)},
                {"clear-log", {}, "forget those starts", WithoutWords(programs::ClearProgramLog)},
                {"fail",
                 {"PROGRAM CODE [once]", "clear"},
                 "make starts of PROGRAM fail with CODE (always, or once)",
                 OnMachine(fail),
                 "PROGRAM: \"NicReport.bat\", \"VnSwap\", or \"*\" for every program; fail clear\n"
                 "removes every failure.\n"},
                {"record-only",
                 {"PROGRAM on|off"},
                 "a project program's starts are only recorded",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 2);
                         const bool on = Needed(ParseOnOff(a[1]), a[1]);
                         if (!isProjectProgram(a[0]))
                         {
                             std::cerr << "vnmachine: record-only applies to TessarynUI, "
                                          "TessarynAp and UplinkPick, not '"
                                       << a[0] << "' (NicReport.bat: report-fail, report-delay)\n";
                             return 1;
                         }
                         programs::SetRecordOnly(m, a[0], on);
                         return 0;
                     })},
                {"report-delay",
                 {"MS"},
                 "NicReport.bat writes its report after MS ms",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 1);
                         auto ms = number(a[0]);
                         if (!ms)
                             throw UsageError{};
                         programs::SetReportDelay(m, static_cast<std::uint32_t>(*ms));
                         return 0;
                     })},
                {"report-fail",
                 {"on|off"},
                 "NicReport.bat writes nothing",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 1);
                         programs::SetReportWritesNothing(m, Needed(ParseOnOff(a[0])));
                         return 0;
                     })},
                {"settings",
                 {},
                 "what is arranged",
                 WithoutWords(
                     [](const machine::Machine& m) {
                         std::cout
                             << programs::FormatProgramSettings(programs::LoadProgramSettings(m));
                     })},
            },
    };
    return table.run(args);
}
