#include "platform/ui/framework/controls/ImageList.h"

#include <map>
#include <memory>
#include <mutex>

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (hImageList == 0)
        return nullptr;
    static std::mutex mutex;
    static auto* wrappers = new std::map<HIMAGELIST, std::unique_ptr<CImageList>>;
    std::lock_guard lock(mutex);
    auto& slot = (*wrappers)[hImageList];
    if (!slot)
    {
        // The wrappers are never destroyed, so none destroys a list it does not own (and
        // image list handles are never reused).
        slot = std::make_unique<CImageList>();
        slot->m_hImageList = hImageList;
    }
    return slot.get();
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    return m_hImageList != 0 ? TRUE : FALSE;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == 0 || m_hImageList != 0)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    const HIMAGELIST hImageList = m_hImageList;
    m_hImageList = 0;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == 0)
        return FALSE;
    const BOOL result = ImageList_Destroy(m_hImageList);
    m_hImageList = 0;
    return result;
}

int CImageList::Add(HICON hIcon)
{
    return ImageList_AddIcon(m_hImageList, hIcon);
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
    return ImageList_Remove(m_hImageList, nImage);
}

int CImageList::GetImageCount() const
{
    return ImageList_GetImageCount(m_hImageList);
}

HICON CImageList::ExtractIcon(int nImage)
{
    return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL);
}

DWORD CImageList::SetBkColor(DWORD cr)
{
    return ImageList_SetBkColor(m_hImageList, cr);
}

DWORD CImageList::GetBkColor() const
{
    return ImageList_GetBkColor(m_hImageList);
}

BOOL CImageList::SetImageCount(UINT uNewCount)
{
    return ImageList_SetImageCount(m_hImageList, uNewCount);
}
