#include "machine/desktop/DesktopLog.h"

#include "machine/LineLog.h"
#include "machine/text/Quoted.h"

namespace machine::desktop
{

std::filesystem::path DesktopLogPath(const Machine& machine)
{
    return machine.root() / "desktop.log";
}

void AppendDesktopLog(const Machine& machine, const std::string& line)
{
    AppendLogLine(machine, DesktopLogPath(machine), line);
}

std::vector<std::string> ReadDesktopLog(const Machine& machine)
{
    return ReadLogLines(machine, DesktopLogPath(machine));
}

std::string QuotedLogText(std::string_view text)
{
    return text::Quoted(text);
}

} // namespace machine::desktop
