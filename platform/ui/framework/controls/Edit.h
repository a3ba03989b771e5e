#pragma once
// The framework's edit field.

#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/framework/Wnd.h"

class CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // 0 lifts the limit to the largest the field takes.
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax);
    UINT GetLimitText() const;
    // 0 shows the text plainly.
    void SetPasswordChar(char ch);
    char GetPasswordChar() const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
    DWORD GetSel() const;
    void GetSel(int& nStartChar, int& nEndChar) const;
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE);
    // The buffer's first WORD holds its size (the platform's rule); not null-terminated.
    int GetLine(int nIndex, LPSTR lpszBuffer) const;
    // Null-terminated, at most nMaxLength characters.
    int GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const;
    int GetLineCount() const;
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    BOOL CanUndo() const;
    BOOL Undo();
    void EmptyUndoBuffer();
};
