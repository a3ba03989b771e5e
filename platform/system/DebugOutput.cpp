#include "platform/system/DebugOutput.h"

#include "machine/LineLog.h"
#include "machine/Machine.h"
#include "platform/file/ModuleFile.h"

#include <unistd.h>

#include <string>

namespace
{

// "C:\Program Files\Tessaryn\TessarynUI.exe" -> "TessarynUI"
std::string programName()
{
    std::string path = platform::ModuleFilePath();
    std::string name = path.substr(path.find_last_of('\\') + 1);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0)
        name.resize(name.size() - 4);
    return name;
}

} // namespace

namespace platform
{
std::filesystem::path DebugLogPath()
{
    return machine::CurrentMachine().runtimeDir() / "debug.log";
}
} // namespace platform

void OutputDebugStringA(LPCSTR lpOutputString)
{
    if (lpOutputString == nullptr)
        return;
    std::string line =
        "[" + std::to_string(::getpid()) + " " + programName() + "] " + lpOutputString;
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    // A machine log like the others: whole lines of several processes never interleave.
    machine::AppendLogLine(machine::CurrentMachine(), platform::DebugLogPath(), line);
}
