#include "platform/base/GlobalMemory.h"

#include "platform/base/WinError.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

namespace
{

// Larger requests fail as an exhausted 32-bit address space would.
constexpr SIZE_T kMaxBlock = 0x40000000;
constexpr unsigned char kFreshByte = 0xCD;

struct Block
{
    std::unique_ptr<std::byte[]> data;
    SIZE_T size = 0;
    SIZE_T capacity = 0;
    bool moveable = false;
    UINT locks = 0;
};

struct Heap
{
    std::mutex lock;
    std::unordered_map<HGLOBAL, Block> blocks;
    HGLOBAL next = 0x00100004;
};

Heap& heap()
{
    static Heap* h = new Heap; // outlives static destruction: a live thread may still free blocks
    return *h;
}

// A buffer of at least one byte, so a zero-sized block still has an address of its own.
std::unique_ptr<std::byte[]> NewBuffer(SIZE_T bytes, bool zero)
{
    const std::size_t n = bytes == 0 ? 1 : bytes;
    std::unique_ptr<std::byte[]> p(new (std::nothrow) std::byte[n]);
    if (p)
        std::memset(p.get(), zero ? 0 : kFreshByte, n);
    return p;
}

Block* Find(Heap& h, HGLOBAL hMem)
{
    auto it = h.blocks.find(hMem);
    return it == h.blocks.end() ? nullptr : &it->second;
}

} // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    if (dwBytes > kMaxBlock)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    Block block;
    block.data = NewBuffer(dwBytes, (uFlags & GMEM_ZEROINIT) != 0);
    if (!block.data)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    block.size = dwBytes;
    block.capacity = dwBytes;
    block.moveable = (uFlags & GMEM_MOVEABLE) != 0;

    Heap& h = heap();
    std::lock_guard guard(h.lock);
    HGLOBAL handle;
    do
    {
        handle = h.next;
        h.next += 4;
        if (h.next >= 0x7FFFFFF0u)
            h.next = 0x00100004;
    } while (h.blocks.count(handle) != 0);
    h.blocks.emplace(handle, std::move(block));
    return handle;
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    Block* block = Find(h, hMem);
    if (block == nullptr)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if ((uFlags & GMEM_MODIFY) != 0)
    {
        block->moveable = (uFlags & GMEM_MOVEABLE) != 0;
        return hMem;
    }
    if (dwBytes > kMaxBlock)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    const bool zero = (uFlags & GMEM_ZEROINIT) != 0;
    if (dwBytes <= block->capacity)
    {
        // In place: addresses handed out stay valid.
        if (dwBytes > block->size)
            std::memset(block->data.get() + block->size, zero ? 0 : kFreshByte,
                        dwBytes - block->size);
        block->size = dwBytes;
        return hMem;
    }
    const bool pinned = !block->moveable || block->locks > 0;
    if (pinned && (uFlags & GMEM_MOVEABLE) == 0)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    auto data = NewBuffer(dwBytes, zero);
    if (!data)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    std::memcpy(data.get(), block->data.get(), block->size);
    block->data = std::move(data);
    block->size = dwBytes;
    block->capacity = dwBytes;
    return hMem;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    if (hMem == 0)
        return 0;
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    auto it = h.blocks.find(hMem);
    if (it == h.blocks.end())
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;
    }
    h.blocks.erase(it);
    return 0;
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    Block* block = Find(h, hMem);
    if (block == nullptr)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (block->moveable && block->locks < 0xFF) // the platform's lock count is a byte
        ++block->locks;
    return block->data.get();
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    Block* block = Find(h, hMem);
    if (block == nullptr)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!block->moveable)
    {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    if (block->locks == 0)
    {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--block->locks == 0)
    {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}

SIZE_T GlobalSize(HGLOBAL hMem)
{
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    Block* block = Find(h, hMem);
    if (block == nullptr)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return block->size;
}

HGLOBAL GlobalHandle(LPCVOID pMem)
{
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    for (const auto& [handle, block] : h.blocks)
        if (block.data.get() == pMem)
            return handle;
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}

namespace platform
{

std::size_t LiveGlobalBlocks()
{
    Heap& h = heap();
    std::lock_guard guard(h.lock);
    return h.blocks.size();
}

} // namespace platform
