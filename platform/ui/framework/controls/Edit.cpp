#include "platform/ui/framework/controls/Edit.h"

#include "platform/ui/PointerParam.h"

#include <algorithm>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_EDITA, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::LimitText(int nChars)
{
    ::SendMessageA(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

void CEdit::SetLimitText(UINT nMax)
{
    ::SendMessageA(m_hWnd, EM_SETLIMITTEXT, nMax, 0);
}

UINT CEdit::GetLimitText() const
{
    return static_cast<UINT>(::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}

void CEdit::SetPasswordChar(char ch)
{
    ::SendMessageA(m_hWnd, EM_SETPASSWORDCHAR, static_cast<unsigned char>(ch), 0);
}

char CEdit::GetPasswordChar() const
{
    return static_cast<char>(::SendMessageA(m_hWnd, EM_GETPASSWORDCHAR, 0, 0));
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return static_cast<BOOL>(
        ::SendMessageA(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(bReadOnly), 0));
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll)
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel(static_cast<SHORT>(LOWORD(dwSelection)), static_cast<SHORT>(HIWORD(dwSelection)),
           bNoScroll);
}

DWORD CEdit::GetSel() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, EM_GETSEL, 0, 0));
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0;
    DWORD end = 0;
    platform::PointerParam pStart(&start);
    platform::PointerParam pEnd(&end);
    ::SendMessageA(m_hWnd, EM_GETSEL, static_cast<WPARAM>(pStart.get()), pEnd);
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo)
{
    platform::PointerParam text(lpszNewText != nullptr ? lpszNewText : "");
    ::SendMessageA(m_hWnd, EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), text);
}

int CEdit::GetLine(int nIndex, LPSTR lpszBuffer) const
{
    platform::PointerParam buffer(lpszBuffer);
    return static_cast<int>(
        ::SendMessageA(m_hWnd, EM_GETLINE, static_cast<WPARAM>(nIndex), buffer));
}

int CEdit::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const
{
    if (lpszBuffer == nullptr || nMaxLength <= 0)
        return 0;
    // Room for the size word even when the caller's buffer is shorter than it.
    std::vector<char> scratch(static_cast<std::size_t>(std::max(nMaxLength, 2)));
    const WORD size = static_cast<WORD>(std::min(nMaxLength, 0xFFFF));
    std::memcpy(scratch.data(), &size, sizeof size);
    const int n = GetLine(nIndex, scratch.data());
    const int copied = std::min(n, nMaxLength - 1);
    std::memcpy(lpszBuffer, scratch.data(), static_cast<std::size_t>(copied));
    lpszBuffer[copied] = '\0';
    return copied;
}

int CEdit::GetLineCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0));
}

int CEdit::LineIndex(int nLine) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, EM_LINEINDEX, static_cast<WPARAM>(nLine), 0));
}

int CEdit::LineLength(int nLine) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, EM_LINELENGTH, static_cast<WPARAM>(nLine), 0));
}

BOOL CEdit::GetModify() const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0));
}

void CEdit::SetModify(BOOL bModified)
{
    ::SendMessageA(m_hWnd, EM_SETMODIFY, static_cast<WPARAM>(bModified), 0);
}

BOOL CEdit::CanUndo() const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_CANUNDO, 0, 0));
}

BOOL CEdit::Undo()
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_UNDO, 0, 0));
}

void CEdit::EmptyUndoBuffer()
{
    ::SendMessageA(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0);
}
