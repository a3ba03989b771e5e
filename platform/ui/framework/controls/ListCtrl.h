#pragma once
// The framework's list view control.

#include "platform/base/CString.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/framework/Wnd.h"
#include "platform/ui/framework/controls/ImageList.h"
#include "platform/ui/framework/controls/Position.h"

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Columns. nWidth -1 and nSubItem -1 leave those fields out.
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn);
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);

    // The extended styles, all of them replaced; returns the previous ones.
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;

    // Items.
    int InsertItem(const LVITEMA* pItem);
    int InsertItem(int nItem, LPCSTR lpszItem);
    int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                   LPARAM lParam);
    BOOL SetItem(const LVITEMA* pItem);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    BOOL GetItem(LVITEMA* pItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
    BOOL SetItemState(int nItem, LVITEMA* pItem);
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    int GetNextItem(int nItem, int nFlags) const;
    int GetItemCount() const;
    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);

    // Image lists: the control does not own them (only the platform's control may destroy
    // them with itself, without LVS_SHAREIMAGELISTS).
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CImageList* GetImageList(int nImageListType) const;

    BOOL RedrawItems(int nFirst, int nLast);
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL SetBkColor(DWORD cr);
    DWORD GetBkColor() const;
    BOOL SetTextColor(DWORD cr);
    DWORD GetTextColor() const;
    BOOL SetTextBkColor(DWORD cr);
    DWORD GetTextBkColor() const;
};
