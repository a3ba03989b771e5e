#include "platform/profile/ProfileFiles.h"

#include "machine/FileStore.h"
#include "machine/Machine.h"
#include "machine/MachineLock.h"
#include "platform/base/WinError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <new>
#include <unordered_map>

namespace platform::profile_detail
{
namespace
{

// What tells one version of a file from the next: a write of ours renames a new file into
// place (a new inode); an outside write changes the size or the times.
struct Signature
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long mtimeSec = 0, mtimeNsec = 0, ctimeSec = 0, ctimeNsec = 0;
    bool operator==(const Signature&) const = default;
};

Signature signatureOf(const struct stat& st)
{
    return Signature{st.st_dev,          st.st_ino,         st.st_size,        st.st_mtim.tv_sec,
                     st.st_mtim.tv_nsec, st.st_ctim.tv_sec, st.st_ctim.tv_nsec};
}

struct CachedFile
{
    Signature signature;
    std::shared_ptr<ini::Document> document; // handed out as const
};

constexpr std::size_t kCachedFiles = 64;

std::mutex g_cacheLock;
std::unordered_map<std::string, CachedFile> g_cache;
std::atomic<std::uint64_t> g_parses{0};

std::shared_ptr<ini::Document> parse(std::string_view text)
{
    ++g_parses;
    return std::make_shared<ini::Document>(ini::Document::Parse(text));
}

std::shared_ptr<const ini::Document> emptyDocument()
{
    static const auto empty = std::make_shared<const ini::Document>();
    return empty;
}

void remember(const std::string& key, const Signature& signature,
              std::shared_ptr<ini::Document> document)
{
    std::lock_guard guard(g_cacheLock);
    if (g_cache.size() >= kCachedFiles && g_cache.find(key) == g_cache.end())
        g_cache.erase(g_cache.begin());
    g_cache[key] = CachedFile{signature, std::move(document)};
}

bool readAll(int fd, std::string& text)
{
    char buffer[65536];
    for (;;)
    {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

} // namespace

LoadedProfile LoadProfile(const std::filesystem::path& host)
{
    struct stat st;
    if (::stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return LoadedProfile{emptyDocument(), false};
    const std::string key = host.string();
    {
        std::lock_guard guard(g_cacheLock);
        auto it = g_cache.find(key);
        if (it != g_cache.end() && it->second.signature == signatureOf(st))
            return LoadedProfile{it->second.document, true};
    }

    // Signature and text from the same open file, so they belong together.
    int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return LoadedProfile{emptyDocument(), false};
    std::string text;
    bool ok = ::fstat(fd, &st) == 0 && readAll(fd, text);
    ::close(fd);
    if (!ok)
        return LoadedProfile{emptyDocument(), false};
    auto document = parse(text);
    remember(key, signatureOf(st), document);
    return LoadedProfile{std::move(document), true};
}

namespace
{

// The document the edit was made on, out of the cache, to take the edit: itself when no reader
// of this process holds it, else a copy, so that no reader sees it change.
std::shared_ptr<ini::Document> forChange(const std::string& key,
                                         std::shared_ptr<const ini::Document> held)
{
    std::shared_ptr<ini::Document> owned;
    {
        std::lock_guard guard(g_cacheLock);
        auto it = g_cache.find(key);
        if (it != g_cache.end() && it->second.document == held)
        {
            owned = std::move(it->second.document);
            g_cache.erase(it);
        }
    }
    if (!owned)
        return std::make_shared<ini::Document>(*held);
    held.reset();
    // Out of the cache, no one can take another hold of it: a count of one stays one.
    return owned.use_count() == 1 ? owned : std::make_shared<ini::Document>(*owned);
}

} // namespace

DWORD UpdateProfile(const std::filesystem::path& host, const ProfileEdit& edit)
{
    try
    {
        machine::MachineLock lock(machine::CurrentMachine());
        LoadedProfile profile = LoadProfile(host);
        const std::optional<ini::LineEdit> change = edit(*profile.document);
        if (!change)
            return ERROR_SUCCESS;
        struct stat st;
        if (::stat(host.parent_path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return ERROR_PATH_NOT_FOUND;
        if (::stat(host.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            return ERROR_ACCESS_DENIED;
        // Out of the cache until the file holds it: a failed write leaves the file to be read
        // again, and no reader sees a change the file does not have.
        const std::string key = host.string();
        std::shared_ptr<ini::Document> document = forChange(key, std::move(profile.document));
        document->apply(*change);
        const std::string& text = document->text();
        if (!machine::WriteFileAtomically(host, text, machine::FileAccess::OwnerOnly))
            return ERROR_ACCESS_DENIED;
        // Keep what we wrote as the parsed form, unless the file already is another one.
        if (::stat(host.c_str(), &st) == 0 && static_cast<std::size_t>(st.st_size) == text.size())
            remember(key, signatureOf(st), std::move(document));
        return ERROR_SUCCESS;
    }
    catch (const std::bad_alloc&)
    {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    catch (const std::exception&)
    {
        return ERROR_GEN_FAILURE; // the machine could not be locked
    }
}

std::uint64_t ParseCount()
{
    return g_parses.load();
}

} // namespace platform::profile_detail
