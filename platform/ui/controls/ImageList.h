#pragma once
// Image lists: a size, flags and the images added to them, in order. Images are the handles
// given (icons or bitmaps); nothing is drawn, so the recorded handles are what can be read back.

#include "platform/ui/controls/CommCtrl.h"

#include <cstddef>
#include <vector>

// 0 for a non-positive size.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
BOOL ImageList_Destroy(HIMAGELIST himl);
int ImageList_GetImageCount(HIMAGELIST himl);
BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount);
// i == -1 appends. Returns the index of the image, or -1.
int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon);
inline int ImageList_AddIcon(HIMAGELIST himl, HICON hicon)
{
    return ImageList_ReplaceIcon(himl, -1, hicon);
}
int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask);
int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, DWORD crMask);
BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask);
// i == -1 removes all.
BOOL ImageList_Remove(HIMAGELIST himl, int i);
inline BOOL ImageList_RemoveAll(HIMAGELIST himl)
{
    return ImageList_Remove(himl, -1);
}
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy);
// The icon handle recorded at i (an image list here hands back what it was given).
HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT flags);
DWORD ImageList_SetBkColor(HIMAGELIST himl, DWORD clrBk);
DWORD ImageList_GetBkColor(HIMAGELIST himl);
BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);

void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);

namespace platform
{

struct ImageListInfo
{
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    int initial = 0;
    int grow = 0;
    std::vector<HANDLE> images; // the icon or bitmap handles, in image order
};

// A copy of the list's state; false when the handle names no image list.
bool GetImageListInfo(HIMAGELIST himl, ImageListInfo& info);
// The image lists of this process that are not destroyed yet.
std::size_t LiveImageLists();

} // namespace platform
