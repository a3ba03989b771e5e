#include "platform/ui/controls/ImageList.h"

#include "platform/base/WinError.h"

#include <map>
#include <mutex>

namespace
{

struct ImageLists
{
    std::mutex mutex;
    std::map<HIMAGELIST, platform::ImageListInfo> lists;
    std::map<HIMAGELIST, DWORD> backgrounds;
    HIMAGELIST next = 0x00D10000; // a range of its own, so a stray handle is not taken for one
};

ImageLists& imageLists()
{
    static auto* instance = new ImageLists;
    return *instance;
}

// Runs fn on the list under the lock; its result, or fallback when there is no such list.
template <class Fn, class R> R withList(HIMAGELIST himl, R fallback, Fn fn)
{
    ImageLists& all = imageLists();
    std::lock_guard lock(all.mutex);
    auto it = all.lists.find(himl);
    if (it == all.lists.end())
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return fallback;
    }
    return fn(it->second);
}

int put(HIMAGELIST himl, int i, HANDLE image)
{
    return withList(himl, -1,
                    [&](platform::ImageListInfo& list)
                    {
                        if (i == -1)
                        {
                            list.images.push_back(image);
                            return static_cast<int>(list.images.size()) - 1;
                        }
                        if (i < 0 || i >= static_cast<int>(list.images.size()))
                            return -1;
                        list.images[static_cast<std::size_t>(i)] = image;
                        return i;
                    });
}

} // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow)
{
    if (cx <= 0 || cy <= 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    ImageLists& all = imageLists();
    std::lock_guard lock(all.mutex);
    const HIMAGELIST himl = all.next++;
    platform::ImageListInfo& list = all.lists[himl];
    list.cx = cx;
    list.cy = cy;
    list.flags = flags;
    list.initial = cInitial;
    list.grow = cGrow;
    return himl;
}

BOOL ImageList_Destroy(HIMAGELIST himl)
{
    ImageLists& all = imageLists();
    std::lock_guard lock(all.mutex);
    all.backgrounds.erase(himl);
    return all.lists.erase(himl) != 0 ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST himl)
{
    return withList(himl, 0,
                    [](platform::ImageListInfo& list)
                    { return static_cast<int>(list.images.size()); });
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount)
{
    return withList(himl, FALSE,
                    [&](platform::ImageListInfo& list)
                    {
                        list.images.resize(uNewCount, 0);
                        return TRUE;
                    });
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon)
{
    return put(himl, i, static_cast<HANDLE>(hicon));
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP)
{
    return put(himl, -1, static_cast<HANDLE>(hbmImage));
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, DWORD)
{
    return put(himl, -1, static_cast<HANDLE>(hbmImage));
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP)
{
    return i >= 0 && put(himl, i, static_cast<HANDLE>(hbmImage)) == i ? TRUE : FALSE;
}

BOOL ImageList_Remove(HIMAGELIST himl, int i)
{
    return withList(himl, FALSE,
                    [&](platform::ImageListInfo& list)
                    {
                        if (i == -1)
                        {
                            list.images.clear();
                            return TRUE;
                        }
                        if (i < 0 || i >= static_cast<int>(list.images.size()))
                            return FALSE;
                        list.images.erase(list.images.begin() + i);
                        return TRUE;
                    });
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy)
{
    if (cx == nullptr || cy == nullptr)
        return FALSE;
    return withList(himl, FALSE,
                    [&](platform::ImageListInfo& list)
                    {
                        *cx = list.cx;
                        *cy = list.cy;
                        return TRUE;
                    });
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy)
{
    if (cx <= 0 || cy <= 0)
        return FALSE;
    return withList(himl, FALSE,
                    [&](platform::ImageListInfo& list)
                    {
                        // New dimensions remove every image, as on the platform.
                        list.cx = cx;
                        list.cy = cy;
                        list.images.clear();
                        return TRUE;
                    });
}

HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT)
{
    return withList(himl, HICON{0},
                    [&](platform::ImageListInfo& list)
                    {
                        if (i < 0 || i >= static_cast<int>(list.images.size()))
                            return HICON{0};
                        return static_cast<HICON>(list.images[static_cast<std::size_t>(i)]);
                    });
}

DWORD ImageList_SetBkColor(HIMAGELIST himl, DWORD clrBk)
{
    ImageLists& all = imageLists();
    std::lock_guard lock(all.mutex);
    if (all.lists.count(himl) == 0)
        return CLR_NONE;
    auto [it, inserted] = all.backgrounds.emplace(himl, CLR_NONE);
    const DWORD previous = it->second;
    it->second = clrBk;
    return previous;
}

DWORD ImageList_GetBkColor(HIMAGELIST himl)
{
    ImageLists& all = imageLists();
    std::lock_guard lock(all.mutex);
    auto it = all.backgrounds.find(himl);
    return it != all.backgrounds.end() ? it->second : CLR_NONE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC, int, int, UINT)
{
    return withList(himl, FALSE,
                    [&](platform::ImageListInfo& list)
                    { return i >= 0 && i < static_cast<int>(list.images.size()) ? TRUE : FALSE; });
}

void InitCommonControls() {}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce)
{
    // The classes are always there; only the record is checked.
    return picce != nullptr && picce->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}

namespace platform
{

bool GetImageListInfo(HIMAGELIST himl, ImageListInfo& info)
{
    return withList(himl, false,
                    [&](ImageListInfo& list)
                    {
                        info = list;
                        return true;
                    });
}

std::size_t LiveImageLists()
{
    ImageLists& all = imageLists();
    std::lock_guard lock(all.mutex);
    return all.lists.size();
}

} // namespace platform
