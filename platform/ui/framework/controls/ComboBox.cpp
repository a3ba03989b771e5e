#include "platform/ui/framework/controls/ComboBox.h"

#include "platform/ui/PointerParam.h"

#include <vector>

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

namespace
{

LRESULT sendText(HWND hwnd, UINT message, WPARAM wParam, LPCSTR text)
{
    platform::PointerParam param(text != nullptr ? text : "");
    return ::SendMessageA(hwnd, message, wParam, param);
}

} // namespace

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_COMBOBOXA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::AddString(LPCSTR lpszString)
{
    return static_cast<int>(sendText(m_hWnd, CB_ADDSTRING, 0, lpszString));
}

int CComboBox::InsertString(int nIndex, LPCSTR lpszString)
{
    return static_cast<int>(
        sendText(m_hWnd, CB_INSERTSTRING, static_cast<WPARAM>(nIndex), lpszString));
}

int CComboBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_DELETESTRING, nIndex, 0));
}

void CComboBox::ResetContent()
{
    ::SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0);
}

int CComboBox::GetCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0));
}

int CComboBox::SetCurSel(int nSelect)
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}

int CComboBox::GetLBText(int nIndex, LPSTR lpszText) const
{
    platform::PointerParam buffer(lpszText);
    return static_cast<int>(
        ::SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), buffer));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    const int length = GetLBTextLen(nIndex);
    if (length < 0)
    {
        rString.Empty();
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    GetLBText(nIndex, buffer.data());
    rString = buffer.data();
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return static_cast<int>(
        ::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::FindString(int nStartAfter, LPCSTR lpszString) const
{
    return static_cast<int>(
        sendText(m_hWnd, CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), lpszString));
}

int CComboBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const
{
    return static_cast<int>(
        sendText(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), lpszFind));
}

int CComboBox::SelectString(int nStartAfter, LPCSTR lpszString)
{
    return static_cast<int>(
        sendText(m_hWnd, CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), lpszString));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(nIndex),
                                           static_cast<LPARAM>(dwItemData)));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(
        ::SendMessageA(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::SetDroppedWidth(UINT nWidth)
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_SETDROPPEDWIDTH, nWidth, 0));
}

int CComboBox::GetDroppedWidth() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_GETDROPPEDWIDTH, 0, 0));
}

BOOL CComboBox::GetDroppedState() const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, CB_GETDROPPEDSTATE, 0, 0));
}

void CComboBox::GetDroppedControlRect(LPRECT lprect) const
{
    platform::PointerParam rect(lprect);
    ::SendMessageA(m_hWnd, CB_GETDROPPEDCONTROLRECT, 0, rect);
}

BOOL CComboBox::LimitText(int nMaxChars)
{
    return static_cast<BOOL>(
        ::SendMessageA(m_hWnd, CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars), 0));
}

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    ::SendMessageA(m_hWnd, CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt), 0);
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex),
                                           static_cast<LPARAM>(cyItemHeight)));
}

int CComboBox::GetItemHeight(int nIndex) const
{
    return static_cast<int>(
        ::SendMessageA(m_hWnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::GetTopIndex() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_GETTOPINDEX, 0, 0));
}

int CComboBox::SetTopIndex(int nIndex)
{
    return static_cast<int>(::SendMessageA(m_hWnd, CB_SETTOPINDEX, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::SetExtendedUI(BOOL bExtended)
{
    return static_cast<int>(
        ::SendMessageA(m_hWnd, CB_SETEXTENDEDUI, static_cast<WPARAM>(bExtended), 0));
}

BOOL CComboBox::GetExtendedUI() const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, CB_GETEXTENDEDUI, 0, 0));
}

DWORD CComboBox::GetEditSel() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, CB_GETEDITSEL, 0, 0));
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return static_cast<BOOL>(
        ::SendMessageA(m_hWnd, CB_SETEDITSEL, 0,
                       MAKELPARAM(static_cast<WORD>(nStartChar), static_cast<WORD>(nEndChar))));
}
