#pragma once
// The framework's combo box.

#include "platform/base/CString.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/framework/Wnd.h"

class CComboBox : public CWnd
{
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int AddString(LPCSTR lpszString);
    int InsertString(int nIndex, LPCSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, LPSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    // Prefix (FindString, SelectString) and whole-text searches, case-insensitive, starting
    // after nStartAfter (-1: from the first item) and wrapping round.
    int FindString(int nStartAfter, LPCSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCSTR lpszString);
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetDroppedWidth(UINT nWidth);
    int GetDroppedWidth() const;
    BOOL GetDroppedState() const;
    void GetDroppedControlRect(LPRECT lprect) const;
    BOOL LimitText(int nMaxChars);
    void ShowDropDown(BOOL bShowIt = TRUE);
    int SetItemHeight(int nIndex, UINT cyItemHeight);
    int GetItemHeight(int nIndex) const;
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
    int SetExtendedUI(BOOL bExtended = TRUE);
    BOOL GetExtendedUI() const;
    DWORD GetEditSel() const;
    BOOL SetEditSel(int nStartChar, int nEndChar);
};
