#pragma once
// A machine file parsed once per change: the process keeps what it parsed with the file's
// version (device, inode, size, modification and change times) and parses again only when the
// version is another. Machine files are replaced whole by a rename, so a new version is a new
// inode. The version is known without asking while the system tells of nothing that happened to
// the file (machine/FileChanges.h), and by a stat otherwise. A file that is missing is kept as
// missing as well.

#include "machine/FileStore.h"

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace machine
{

struct FileVersion
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileVersion& other) const;
};

// Nullopt when the file cannot be looked at (missing, for one).
std::optional<FileVersion> VersionOf(const std::filesystem::path& path);
// The same, always by a stat.
std::optional<FileVersion> StatVersionOf(const std::filesystem::path& path);

template <typename T> class ParsedFile
{
public:
    using Read = std::function<std::optional<T>(const std::filesystem::path&)>;

    // The parsed contents, or nullopt when the file cannot be read.
    std::optional<T> load(const std::filesystem::path& path, const Read& read)
    {
        auto shared = share(path, read);
        if (!shared)
            return std::nullopt;
        return *shared;
    }

    // The same without a copy: the contents as kept, shared; null when the file cannot be read.
    std::shared_ptr<const T> share(const std::filesystem::path& path, const Read& read)
    {
        const std::optional<FileVersion> version = VersionOf(path);
        std::lock_guard guard(m_lock);
        auto it = m_kept.find(path.native());
        if (it != m_kept.end() && it->second.version == version)
            return it->second.contents;
        std::optional<T> read_ = read(path);
        std::shared_ptr<const T> contents =
            read_ ? std::make_shared<const T>(std::move(*read_)) : nullptr;
        // Kept only when the version read before is still the file's: a change between the two
        // would otherwise be taken for this one. A file that is there but cannot be read is read
        // again each time, so that its reader learns why.
        if ((contents || !version) && VersionOf(path) == version)
            m_kept[path.native()] = {version, contents};
        else if (it != m_kept.end())
            m_kept.erase(it);
        return contents;
    }

    // The same for a file read whole and parsed from its text by `parse`.
    template <typename Parse>
    std::optional<T> loadText(const std::filesystem::path& path, Parse parse)
    {
        auto shared = shareText(path, parse);
        if (!shared)
            return std::nullopt;
        return *shared;
    }

    template <typename Parse>
    std::shared_ptr<const T> shareText(const std::filesystem::path& path, Parse parse)
    {
        return share(path,
                     [&](const std::filesystem::path& file) -> std::optional<T>
                     {
                         auto text = ReadWholeFile(file);
                         if (!text)
                             return std::nullopt;
                         return parse(*text);
                     });
    }

private:
    struct Kept
    {
        std::optional<FileVersion> version; // none: the file was missing
        std::shared_ptr<const T> contents;
    };
    std::mutex m_lock;
    std::map<std::string, Kept> m_kept;
};

} // namespace machine
