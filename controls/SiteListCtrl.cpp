#include "controls/SiteListCtrl.h"

IMPLEMENT_DYNAMIC(CSiteListCtrl, CListCtrl)

void CSiteListCtrl::PreSubclassWindow()
{
    SetExtendedStyle(LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    CListCtrl::PreSubclassWindow();
}

BOOL CSiteListCtrl::CreateImageList()
{
    // A page made again starts from a fresh list.
    if (m_imageList.GetSafeHandle() != 0)
    {
        SetImageList(NULL, LVSIL_SMALL);
        m_imageList.DeleteImageList();
    }
    if (!m_imageList.Create(16, 16, ILC_COLOR8 | ILC_MASK, 1, 1))
        return FALSE;

    static const UINT s_icons[] = {IDI_SITE_LIST_0, IDI_SITE_LIST_1, IDI_SITE_LIST_2};
    for (UINT nID : s_icons)
        m_imageList.Add(::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCE(nID)));

    SetImageList(&m_imageList, LVSIL_SMALL);
    return TRUE;
}
