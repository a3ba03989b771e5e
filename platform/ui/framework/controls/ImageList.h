#pragma once
// The framework's image list. An object that created or attached a list destroys it with
// itself; FromHandle gives an object that does not own the list.

#include "platform/ui/controls/ImageList.h"
#include "platform/ui/framework/Object.h"

class CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = 0;

    // An object for the handle that does not own it; it lives as long as the process.
    static CImageList* FromHandle(HIMAGELIST hImageList);

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    int Add(HICON hIcon);
    int Replace(int nImage, HICON hIcon);
    BOOL Remove(int nImage);
    int GetImageCount() const;
    HICON ExtractIcon(int nImage);
    DWORD SetBkColor(DWORD cr);
    DWORD GetBkColor() const;
    BOOL SetImageCount(UINT uNewCount);
};
