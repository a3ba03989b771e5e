#include "platform/ui/gdi/Resources.h"

#include <map>
#include <mutex>

namespace platform
{
namespace
{

// Handles carry their kind in the top byte and the resource id below, so they are stable per id
// and read back without a table.
constexpr HANDLE kIconBase = 0x11000000u;
constexpr HANDLE kBitmapBase = 0x12000000u;
constexpr HANDLE kCursorBase = 0x17000000u;
constexpr HANDLE kKindMask = 0xFF000000u;

struct BitmapEntry
{
    std::string description;
    SIZE size;
};

struct Store
{
    std::mutex mutex;
    std::map<UINT, std::string> icons;
    std::map<UINT, BitmapEntry> bitmaps;
};

Store& store()
{
    static Store* instance = new Store;
    return *instance;
}

bool isSystemIcon(UINT id)
{
    return id >= IDI_APPLICATION && id <= IDI_WINLOGO;
}

// The id of a MAKEINTRESOURCE name, or of a "#163" name; nullopt for a real name.
std::optional<UINT> resourceId(LPCSTR name)
{
    if (name == nullptr)
        return std::nullopt;
    if (IS_INTRESOURCE(name))
        return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name));
    if (name[0] == '#')
    {
        UINT value = 0;
        for (const char* p = name + 1; *p != '\0'; ++p)
        {
            if (*p < '0' || *p > '9' || value > 0xFFFF)
                return std::nullopt;
            value = value * 10 + static_cast<UINT>(*p - '0');
        }
        return value <= 0xFFFF ? std::optional<UINT>(value) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<UINT> idOf(HANDLE handle, HANDLE base)
{
    if ((handle & kKindMask) != base)
        return std::nullopt;
    return static_cast<UINT>(handle & 0xFFFFu);
}

// A copy of what was entered for a bitmap's id; nullopt for an unknown handle.
std::optional<BitmapEntry> bitmapEntry(HBITMAP hBitmap)
{
    auto id = idOf(hBitmap, kBitmapBase);
    if (!id)
        return std::nullopt;
    std::lock_guard lock(store().mutex);
    auto it = store().bitmaps.find(*id);
    if (it == store().bitmaps.end())
        return std::nullopt;
    return it->second;
}

} // namespace

void RegisterIconResource(UINT id, std::string description)
{
    std::lock_guard lock(store().mutex);
    store().icons[id & 0xFFFFu] = std::move(description);
}

void RegisterBitmapResource(UINT id, std::string description, int width, int height)
{
    std::lock_guard lock(store().mutex);
    store().bitmaps[id & 0xFFFFu] = BitmapEntry{std::move(description), SIZE{width, height}};
}

void ClearImageResources()
{
    std::lock_guard lock(store().mutex);
    store().icons.clear();
    store().bitmaps.clear();
}

std::optional<UINT> IconResourceId(HICON hIcon)
{
    return idOf(hIcon, kIconBase);
}

std::optional<UINT> BitmapResourceId(HBITMAP hBitmap)
{
    return idOf(hBitmap, kBitmapBase);
}

std::optional<std::string> IconDescription(HICON hIcon)
{
    auto id = IconResourceId(hIcon);
    if (!id)
        return std::nullopt;
    std::lock_guard lock(store().mutex);
    auto it = store().icons.find(*id);
    if (it == store().icons.end())
        return isSystemIcon(*id) ? std::optional<std::string>("system icon") : std::nullopt;
    return it->second;
}

std::optional<std::string> BitmapDescription(HBITMAP hBitmap)
{
    auto entry = bitmapEntry(hBitmap);
    return entry ? std::optional<std::string>(entry->description) : std::nullopt;
}

std::optional<SIZE> BitmapSize(HBITMAP hBitmap)
{
    auto entry = bitmapEntry(hBitmap);
    return entry ? std::optional<SIZE>(entry->size) : std::nullopt;
}

std::string DescribeImage(HANDLE handle)
{
    if (auto id = IconResourceId(handle))
        return "icon " + std::to_string(*id);
    if (auto id = BitmapResourceId(handle))
        return "bitmap " + std::to_string(*id);
    if (auto id = idOf(handle, kCursorBase))
        return "cursor " + std::to_string(*id);
    return {};
}

} // namespace platform

HICON LoadIconA(HINSTANCE, LPCSTR lpIconName)
{
    auto id = platform::resourceId(lpIconName);
    if (!id)
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    bool known = false;
    {
        std::lock_guard lock(platform::store().mutex);
        known = platform::store().icons.count(*id) != 0;
    }
    // The system icons answer for any module.
    if (!known && !platform::isSystemIcon(*id))
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    return platform::kIconBase | *id;
}

HBITMAP LoadBitmapA(HINSTANCE, LPCSTR lpBitmapName)
{
    auto id = platform::resourceId(lpBitmapName);
    bool known = false;
    if (id)
    {
        std::lock_guard lock(platform::store().mutex);
        known = platform::store().bitmaps.count(*id) != 0;
    }
    if (!known)
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    return platform::kBitmapBase | *id;
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR lpCursorName)
{
    auto id = platform::resourceId(lpCursorName);
    if (!id)
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    return platform::kCursorBase | *id;
}

HANDLE LoadImageA(HINSTANCE hInst, LPCSTR name, UINT uType, int, int, UINT)
{
    switch (uType)
    {
    case 0:
        return LoadBitmapA(hInst, name);
    case 1:
        return LoadIconA(hInst, name);
    case 2:
        return LoadCursorA(hInst, name);
    default:
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return 0;
    }
}

BOOL DestroyIcon(HICON hIcon)
{
    if (!platform::IconResourceId(hIcon))
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL DestroyCursor(HCURSOR hCursor)
{
    return (hCursor & 0xFF000000u) == platform::kCursorBase ? TRUE : FALSE;
}
