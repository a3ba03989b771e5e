#include "platform/system/DebugOutput.h"

#include "machine/Folders.h"
#include "machine/Machine.h"
#include "platform/file/ModuleFile.h"

#include <fcntl.h>
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
    if (line.empty() || line.back() != '\n')
        line += '\n';
    std::filesystem::path path = platform::DebugLogPath();
    std::error_code ec;
    machine::CreateFolders(path.parent_path(), ec);
    // One write with O_APPEND: lines of several processes never interleave.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    [[maybe_unused]] ssize_t n = ::write(fd, line.data(), line.size());
    ::close(fd);
}
