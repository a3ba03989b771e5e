#include "machine/ParsedFile.h"

#include "machine/FileChanges.h"

namespace machine
{

bool FileVersion::operator==(const FileVersion& o) const
{
    return device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
}

std::optional<FileVersion> VersionOf(const std::filesystem::path& path)
{
    return WatchedVersionOf(path);
}

std::optional<FileVersion> StatVersionOf(const std::filesystem::path& path)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileVersion{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

} // namespace machine
