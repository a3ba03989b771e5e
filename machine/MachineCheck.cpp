#include "machine/MachineCheck.h"

#include "machine/Machine.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace machine
{
namespace
{

std::string systemReason(int error)
{
    return std::strerror(error);
}

// A folder of the machine: a folder that takes a new file, or, while it is not there yet, the
// nearest folder above it that does (where it would be made). Nothing is left behind.
std::string folderReason(const std::filesystem::path& dir)
{
    std::error_code ec;
    std::filesystem::path at = dir;
    while (!std::filesystem::exists(std::filesystem::symlink_status(at, ec)) &&
           at.has_parent_path() && at.parent_path() != at)
        at = at.parent_path();
    if (!std::filesystem::is_directory(at, ec))
        return "cannot create the folder " + dir.string() + ": " + at.string() +
               (at == dir ? " is not a folder" : ": " + systemReason(ENOTDIR));
    const std::filesystem::path probe = at / (".probe" + std::to_string(::getpid()));
    int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return "cannot write in " + at.string() + ": " + systemReason(errno);
    ::close(fd);
    ::unlink(probe.c_str());
    return {};
}

} // namespace

std::string UnusableMachineReason(const std::filesystem::path& root)
{
    const Machine machine(std::filesystem::absolute(root));
    for (const auto& dir : {machine.root(), machine.runtimeDir()})
        if (std::string why = folderReason(dir); !why.empty())
            return why;
    // A lock that is there must open for writing; a missing one is made in the root probed above.
    int fd = ::open(machine.lockPath().c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno != ENOENT)
        return "cannot open the machine's lock " + machine.lockPath().string() + ": " +
               systemReason(errno);
    if (fd >= 0)
        ::close(fd);
    return {};
}

} // namespace machine
