#include "platform/ui/framework/controls/ListCtrl.h"

#include "platform/ui/PointerParam.h"

#include <cstdint>
#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace
{

template <class T> LRESULT sendRecord(HWND hwnd, UINT message, WPARAM wParam, T* record)
{
    platform::PointerParam param(record);
    return ::SendMessageA(hwnd, message, wParam, param);
}

// A POSITION holds the index plus one, so the first item is not the end.
POSITION positionOf(int index)
{
    return reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(index) + 1);
}

int indexOf(POSITION pos)
{
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(pos) - 1);
}

} // namespace

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMNA* pColumn)
{
    return static_cast<int>(
        sendRecord(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol), pColumn));
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth,
                            int nSubItem)
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    return static_cast<BOOL>(
        ::SendMessageA(m_hWnd, LVM_DELETECOLUMN, static_cast<WPARAM>(nCol), 0));
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMNA* pColumn) const
{
    return static_cast<BOOL>(
        sendRecord(m_hWnd, LVM_GETCOLUMNA, static_cast<WPARAM>(nCol), pColumn));
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMNA* pColumn)
{
    return static_cast<BOOL>(
        sendRecord(m_hWnd, LVM_SETCOLUMNA, static_cast<WPARAM>(nCol), pColumn));
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return static_cast<int>(
        ::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol), 0));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol),
                                            MAKELPARAM(static_cast<WORD>(cx), 0)));
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return static_cast<DWORD>(
        ::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

int CListCtrl::InsertItem(const LVITEMA* pItem)
{
    return static_cast<int>(sendRecord(m_hWnd, LVM_INSERTITEMA, 0, pItem));
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask,
                          int nImage, LPARAM lParam)
{
    LVITEMA item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItem(const LVITEMA* pItem)
{
    return static_cast<BOOL>(sendRecord(m_hWnd, LVM_SETITEMA, 0, pItem));
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage,
                        UINT nState, UINT nStateMask, LPARAM lParam)
{
    LVITEMA item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

BOOL CListCtrl::GetItem(LVITEMA* pItem) const
{
    return static_cast<BOOL>(sendRecord(m_hWnd, LVM_GETITEMA, 0, pItem));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    LVITEMA item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(
        sendRecord(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(nItem), &item));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // Grows the buffer until the text fits, as the framework does.
    for (int size = 256;; size *= 2)
    {
        std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
        const int n = GetItemText(nItem, nSubItem, buffer.data(), size);
        if (n < size - 1)
            return CString(buffer.data());
    }
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const
{
    LVITEMA item{};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return static_cast<int>(
        sendRecord(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(nItem), &item));
}

BOOL CListCtrl::SetItemState(int nItem, LVITEMA* pItem)
{
    return static_cast<BOOL>(
        sendRecord(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), pItem));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item{};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return static_cast<UINT>(::SendMessageA(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(nItem),
                                            static_cast<LPARAM>(nMask)));
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    GetItem(&item);
    return static_cast<DWORD_PTR>(item.lParam);
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(nItem),
                                           MAKELPARAM(static_cast<WORD>(nFlags), 0)));
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

UINT CListCtrl::GetSelectedCount() const
{
    return static_cast<UINT>(::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : positionOf(first);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    const int current = indexOf(pos);
    const int next = GetNextItem(current, LVNI_SELECTED);
    pos = next < 0 ? nullptr : positionOf(next);
    return current;
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_DELETEITEM, static_cast<WPARAM>(nItem), 0));
}

BOOL CListCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (lpRect == nullptr)
        return FALSE;
    lpRect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(
        sendRecord(m_hWnd, LVM_GETITEMRECT, static_cast<WPARAM>(nItem), lpRect));
}

int CListCtrl::GetSelectionMark() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETSELECTIONMARK, 0, 0));
}

int CListCtrl::SetSelectionMark(int iIndex)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_SETSELECTIONMARK, 0, iIndex));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    const LRESULT previous =
        ::SendMessageA(m_hWnd, LVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
                       static_cast<LPARAM>(pImageList != nullptr ? pImageList->m_hImageList : 0));
    return CImageList::FromHandle(static_cast<HIMAGELIST>(previous));
}

CImageList* CListCtrl::GetImageList(int nImageListType) const
{
    return CImageList::FromHandle(static_cast<HIMAGELIST>(
        ::SendMessageA(m_hWnd, LVM_GETIMAGELIST, static_cast<WPARAM>(nImageListType), 0)));
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
{
    return static_cast<BOOL>(
        ::SendMessageA(m_hWnd, LVM_REDRAWITEMS, static_cast<WPARAM>(nFirst), nLast));
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem),
                                            MAKELPARAM(static_cast<WORD>(bPartialOK), 0)));
}

int CListCtrl::GetTopIndex() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0));
}

int CListCtrl::GetCountPerPage() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0));
}

BOOL CListCtrl::SetBkColor(DWORD cr)
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr)));
}

DWORD CListCtrl::GetBkColor() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_GETBKCOLOR, 0, 0));
}

BOOL CListCtrl::SetTextColor(DWORD cr)
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(cr)));
}

DWORD CListCtrl::GetTextColor() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_GETTEXTCOLOR, 0, 0));
}

BOOL CListCtrl::SetTextBkColor(DWORD cr)
{
    return static_cast<BOOL>(
        ::SendMessageA(m_hWnd, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(cr)));
}

DWORD CListCtrl::GetTextBkColor() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_GETTEXTBKCOLOR, 0, 0));
}
