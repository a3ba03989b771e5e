#include "platform/file/FileObject.h"

#include "platform/file/FileApi.h"

#include <unistd.h>

#include <vector>

namespace platform::file_detail
{
namespace
{

constexpr DWORD kDelete = 0x00010000;
constexpr DWORD kMaximumAllowed = 0x02000000;
constexpr DWORD kFileExecute = 0x0020;

struct OpenEntry
{
    FileId id;
    const FileObject* object;
};

// Guarded by SharingLock().
std::vector<OpenEntry>& openFiles()
{
    static std::vector<OpenEntry> files;
    return files;
}

bool touchesData(const FileAccessMode& m)
{
    return m.read || m.write || m.append || m.remove;
}

// An open without data access (attributes only) neither claims nor is refused sharing.
bool conflicts(const FileAccessMode& a, const FileAccessMode& b)
{
    if (!touchesData(a) || !touchesData(b))
        return false;
    bool aWrites = a.write || a.append;
    bool bWrites = b.write || b.append;
    return (a.read && !(b.share & FILE_SHARE_READ)) || (aWrites && !(b.share & FILE_SHARE_WRITE)) ||
           (a.remove && !(b.share & FILE_SHARE_DELETE)) ||
           (b.read && !(a.share & FILE_SHARE_READ)) || (bWrites && !(a.share & FILE_SHARE_WRITE)) ||
           (b.remove && !(a.share & FILE_SHARE_DELETE));
}

} // namespace

FileAccessMode AccessModeFor(DWORD desiredAccess, DWORD shareMode)
{
    FileAccessMode mode;
    bool all = (desiredAccess & (GENERIC_ALL | kMaximumAllowed)) != 0;
    mode.read = all || (desiredAccess &
                        (GENERIC_READ | GENERIC_EXECUTE | FILE_READ_DATA | kFileExecute)) != 0;
    mode.write = all || (desiredAccess & (GENERIC_WRITE | FILE_WRITE_DATA)) != 0;
    mode.append = !mode.write && (desiredAccess & FILE_APPEND_DATA) != 0;
    mode.remove = all || (desiredAccess & kDelete) != 0;
    mode.share = shareMode;
    return mode;
}

std::mutex& SharingLock()
{
    static std::mutex lock;
    return lock;
}

FileObject::FileObject(int fd, FileId id, FileAccessMode mode) : m_fd(fd), m_id(id), m_mode(mode)
{
    try
    {
        openFiles().push_back({id, this});
    }
    catch (...)
    {
        ::close(fd);
        throw;
    }
}

FileObject::~FileObject()
{
    {
        std::lock_guard guard(SharingLock());
        std::erase_if(openFiles(), [this](const OpenEntry& e) { return e.object == this; });
    }
    ::close(m_fd);
}

bool SharingAllows(FileId id, const FileAccessMode& mode)
{
    for (const auto& entry : openFiles())
        if (entry.id == id && conflicts(mode, entry.object->mode()))
            return false;
    return true;
}

bool DeleteAllowed(FileId id)
{
    std::lock_guard guard(SharingLock());
    for (const auto& entry : openFiles())
        if (entry.id == id && !(entry.object->mode().share & FILE_SHARE_DELETE))
            return false;
    return true;
}

} // namespace platform::file_detail
