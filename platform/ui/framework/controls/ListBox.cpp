#include "platform/ui/framework/controls/ListBox.h"

#include "platform/ui/PointerParam.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListBox, CWnd)

namespace
{

LRESULT sendText(HWND hwnd, UINT message, WPARAM wParam, LPCSTR text)
{
    platform::PointerParam param(text != nullptr ? text : "");
    return ::SendMessageA(hwnd, message, wParam, param);
}

} // namespace

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTBOXA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::AddString(LPCSTR lpszItem)
{
    return static_cast<int>(sendText(m_hWnd, LB_ADDSTRING, 0, lpszItem));
}

int CListBox::InsertString(int nIndex, LPCSTR lpszItem)
{
    return static_cast<int>(
        sendText(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(nIndex), lpszItem));
}

int CListBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_DELETESTRING, nIndex, 0));
}

void CListBox::ResetContent()
{
    ::SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0);
}

int CListBox::GetCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0));
}

int CListBox::GetCurSel() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0));
}

int CListBox::SetCurSel(int nSelect)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}

int CListBox::GetSel(int nIndex) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_GETSEL, static_cast<WPARAM>(nIndex), 0));
}

int CListBox::GetText(int nIndex, LPSTR lpszBuffer) const
{
    platform::PointerParam buffer(lpszBuffer);
    return static_cast<int>(
        ::SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex), buffer));
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    const int length = GetTextLen(nIndex);
    if (length < 0)
    {
        rString.Empty();
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    GetText(nIndex, buffer.data());
    rString = buffer.data();
}

int CListBox::GetTextLen(int nIndex) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}

int CListBox::FindString(int nStartAfter, LPCSTR lpszItem) const
{
    return static_cast<int>(
        sendText(m_hWnd, LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), lpszItem));
}

int CListBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const
{
    return static_cast<int>(
        sendText(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), lpszFind));
}

int CListBox::SelectString(int nStartAfter, LPCSTR lpszItem)
{
    return static_cast<int>(
        sendText(m_hWnd, LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), lpszItem));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(nIndex),
                                           static_cast<LPARAM>(dwItemData)));
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(
        ::SendMessageA(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
}

int CListBox::GetItemHeight(int nIndex) const
{
    return static_cast<int>(
        ::SendMessageA(m_hWnd, LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex), 0));
}

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex),
                                           static_cast<LPARAM>(cyItemHeight)));
}

int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const
{
    platform::PointerParam rect(lpRect);
    return static_cast<int>(
        ::SendMessageA(m_hWnd, LB_GETITEMRECT, static_cast<WPARAM>(nIndex), rect));
}

int CListBox::GetTopIndex() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTOPINDEX, 0, 0));
}

int CListBox::SetTopIndex(int nIndex)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_SETTOPINDEX, static_cast<WPARAM>(nIndex), 0));
}

int CListBox::GetCaretIndex() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCARETINDEX, 0, 0));
}

int CListBox::SetCaretIndex(int nIndex, BOOL bScroll)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_SETCARETINDEX, static_cast<WPARAM>(nIndex),
                                           static_cast<LPARAM>(bScroll)));
}
