#include "machine/desktop/Desktop.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/MachineLock.h"
#include "machine/desktop/RuntimeFolder.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <mutex>
#include <stdexcept>
#include <utility>

namespace machine::desktop
{
namespace
{

constexpr std::uint32_t kStep = 2;
// Handles taken from the machine's counter at a time, so that a dialog with many controls
// does not rewrite the counter file for each of them.
constexpr std::uint32_t kBlock = 16;

struct Block
{
    pid_t pid = 0; // a block inherited across fork belongs to the parent
    std::uint32_t next = 0;
    std::uint32_t left = 0;
};

std::mutex g_lock;
// Never destroyed: threads may still post or publish while the process ends.
std::map<std::string, Block>& blocksByMachine()
{
    static auto* map = new std::map<std::string, Block>;
    return *map;
}

std::uint32_t parseCounter(const std::optional<std::string>& text)
{
    if (!text)
        return kFirstWindowHandle;
    std::uint32_t value = 0;
    const char* begin = text->data();
    const char* end = begin + text->size();
    auto [ptr, ec] = std::from_chars(begin, end, value, 16);
    bool valid = ec == std::errc() && (ptr == end || *ptr == '\n') && value >= kFirstWindowHandle &&
                 value < kWindowHandleLimit && (value - kFirstWindowHandle) % kStep == 0;
    return valid ? value : kFirstWindowHandle;
}

Block& blockFor(const Machine& machine)
{
    Block& block = blocksByMachine()[machine.root().string()];
    if (block.pid != ::getpid())
        block = {::getpid(), 0, 0};
    return block;
}

} // namespace

std::uint32_t AllocateWindowHandle(const Machine& machine)
{
    {
        std::lock_guard guard(g_lock);
        Block& block = blockFor(machine);
        if (block.left > 0)
        {
            --block.left;
            return std::exchange(block.next, block.next + kStep);
        }
    }
    // The machine lock comes first, as everywhere in the desktop.
    MachineLock machineLock(machine);
    std::lock_guard guard(g_lock);
    Block& block = blockFor(machine);
    if (block.left == 0)
    {
        const auto counterPath = detail::HandleCounterPath(machine);
        std::uint32_t start = parseCounter(ReadWholeFile(counterPath));
        if (kWindowHandleLimit - start < kBlock * kStep)
            start = kFirstWindowHandle;
        std::uint32_t after = start + kBlock * kStep;
        if (after >= kWindowHandleLimit)
            after = kFirstWindowHandle;
        char text[16];
        std::snprintf(text, sizeof text, "%08X\n", after);
        std::error_code ec;
        machine::CreateFolders(machine.runtimeDir(), ec);
        if (!WriteFileAtomically(counterPath, text, FileAccess::Everyone))
            throw std::runtime_error("cannot write " + counterPath.string());
        block.next = start;
        block.left = kBlock;
    }
    --block.left;
    return std::exchange(block.next, block.next + kStep);
}

} // namespace machine::desktop
