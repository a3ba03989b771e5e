#include "machine/Folders.h"

#include <sys/stat.h>

#include <cerrno>

namespace machine
{

bool CreateFolders(const std::filesystem::path& path, std::error_code& ec)
{
    ec.clear();
    if (path.empty())
        return true;
    std::filesystem::path at;
    for (const auto& part : path.lexically_normal())
    {
        at /= part;
        if (part.empty() || part == at.root_path())
            continue;
        if (::mkdir(at.c_str(), 0700) == 0)
            continue;
        if (errno != EEXIST)
        {
            ec.assign(errno, std::generic_category());
            return false;
        }
        std::error_code statError;
        if (!std::filesystem::is_directory(at, statError))
        {
            ec = std::make_error_code(std::errc::not_a_directory);
            return false;
        }
    }
    return true;
}

void CreateFolders(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!CreateFolders(path, ec))
        throw std::filesystem::filesystem_error("cannot create folder", path, ec);
}

} // namespace machine
