#include "platform/wlan/WlanMemory.h"

#include "platform/wlan/WlanApi.h"
#include "platform/wlan/internal/WlanClient.h"

#include <cstdlib>
#include <mutex>
#include <unordered_set>

namespace platform::wlan
{
namespace
{

std::mutex g_blocksLock;
std::unordered_set<void*> g_blocks;

} // namespace

std::size_t LiveWlanBlocks()
{
    std::lock_guard guard(g_blocksLock);
    return g_blocks.size();
}

void* AllocateWlanBlock(std::size_t bytes)
{
    void* block = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (block == nullptr)
        return nullptr;
    std::lock_guard guard(g_blocksLock);
    g_blocks.insert(block);
    return block;
}

} // namespace platform::wlan

void WlanFreeMemory(PVOID pMemory)
{
    if (pMemory == nullptr)
        return;
    {
        std::lock_guard guard(platform::wlan::g_blocksLock);
        // A pointer the API did not hand out (or freed twice) is left alone rather than
        // corrupting the heap.
        if (platform::wlan::g_blocks.erase(pMemory) == 0)
            return;
    }
    std::free(pMemory);
}
