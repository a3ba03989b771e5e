#include "controls/SmartEdit.h"

#include "controls/LinkSlider.h"

#include <climits>

IMPLEMENT_DYNAMIC(CSmartEdit, CEdit)

BEGIN_MESSAGE_MAP(CSmartEdit, CEdit)
ON_WM_CHAR()
ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillFocus)
END_MESSAGE_MAP()

namespace
{

// The longest text OnKillFocus reads back.
constexpr int kMaxTextLength = 511;

bool isAsciiDigit(unsigned char ch)
{
    return ch >= '0' && ch <= '9';
}

bool isAsciiLetter(unsigned char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

} // namespace

CSmartEdit::CSmartEdit()
    : m_wCharMask(SMARTEDIT_MASK_ALL), m_pSlider(NULL), m_nMin(INT_MIN), m_nMax(INT_MAX),
      m_nValue(INT_MIN)
{
}

WORD CSmartEdit::CharClass(UINT nChar)
{
    if (nChar < 0x20)
        return SMARTEDIT_CLASS_CONTROL;
    // Letters and digits by the low byte, ASCII only: other code pages' letters are "other".
    const unsigned char low = static_cast<unsigned char>(nChar & 0xFF);
    if (isAsciiDigit(low))
        return SMARTEDIT_CLASS_DIGIT;
    if (isAsciiLetter(low))
    {
        const unsigned char upper = static_cast<unsigned char>(low & ~0x20);
        if (upper == 'E')
            return SMARTEDIT_CLASS_E;
        if (upper >= 'A' && upper <= 'F')
            return SMARTEDIT_CLASS_HEXLETTER;
        return SMARTEDIT_CLASS_LETTER;
    }
    switch (nChar)
    {
    case '-':
        return SMARTEDIT_CLASS_MINUS;
    case '.':
        return SMARTEDIT_CLASS_POINT;
    case '_':
        return SMARTEDIT_CLASS_UNDERSCORE;
    default:
        return SMARTEDIT_CLASS_OTHER;
    }
}

int CSmartEdit::ReadLeadingInt(LPCSTR lpszText)
{
    if (lpszText == NULL)
        return 0;
    const char* p = lpszText;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    // Accumulate the magnitude in 64 bits and stop once it passes what 32 bits can hold, so a
    // long run of digits saturates instead of wrapping.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    while (isAsciiDigit(static_cast<unsigned char>(*p)))
    {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (*p - '0');
        ++p;
    }
    if (magnitude > limit)
        magnitude = limit;
    return static_cast<int>(negative ? -magnitude : magnitude);
}

void CSmartEdit::SetCharMask(WORD wMask)
{
    m_wCharMask = wMask;
}

BOOL CSmartEdit::SetRange(int nMin, int nMax, int nLineSize, int nPageSize)
{
    m_nMin = nMin;
    m_nMax = nMax;
    SyncSlider(nLineSize, nPageSize);
    m_wCharMask = nMin < 0 ? SMARTEDIT_MASK_SIGNED : SMARTEDIT_MASK_UNSIGNED;
    return TRUE;
}

void CSmartEdit::AttachSlider(CWnd* pParent, UINT nSliderID)
{
    if (pParent == NULL)
        return;
    CWnd* pItem = pParent->GetDlgItem(static_cast<int>(nSliderID));
    if (pItem == NULL)
        return;
    // Only a control bound to a CLinkSlider can be linked; a temporary object or another
    // class would be used as something it is not.
    CWnd* pPermanent = CWnd::FromHandlePermanent(pItem->m_hWnd);
    if (pPermanent == NULL || !pPermanent->IsKindOf(RUNTIME_CLASS(CLinkSlider)))
        return;
    m_pSlider = static_cast<CLinkSlider*>(pPermanent);
    m_pSlider->AttachEdit(this);
}

BOOL CSmartEdit::SyncSlider(int nLineSize, int nPageSize)
{
    if (m_pSlider == NULL)
        return FALSE;
    m_pSlider->AttachEdit(this);
    m_pSlider->SetRange(m_nMin, m_nMax);
    m_pSlider->SetLineSize(nLineSize);
    m_pSlider->SetPageSize(nPageSize);
    return TRUE;
}

BOOL CSmartEdit::SetValue(int nValue)
{
    if (nValue == m_nValue)
        return FALSE;
    m_nValue = nValue;
    CString strText;
    strText.Format("%d", nValue);
    SetWindowText(strText);
    return TRUE;
}

BOOL CSmartEdit::SetValueChecked(int nValue)
{
    if (nValue < m_nMin || nValue > m_nMax)
        return FALSE;
    CString strText;
    strText.Format("%d", nValue);
    SetWindowText(strText);
    return TRUE;
}

void CSmartEdit::OnBadInput()
{
    MessageBeep(0xFFFFFFFF);
}

void CSmartEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((CharClass(nChar) & m_wCharMask) != 0)
        CEdit::OnChar(nChar, nRepCnt, nFlags);
    else
        OnBadInput();
}

void CSmartEdit::OnKillFocus()
{
    if (m_pSlider == NULL)
        return;

    char szText[kMaxTextLength + 1] = {};
    GetWindowText(szText, kMaxTextLength + 1);
    m_nValue = ReadLeadingInt(szText);

    BOOL bClamped = FALSE;
    if (m_nValue < m_nMin)
    {
        m_nValue = m_nMin;
        bClamped = TRUE;
        OnBadInput();
    }
    else if (m_nValue > m_nMax)
    {
        m_nValue = m_nMax;
        bClamped = TRUE;
        OnBadInput();
    }

    m_pSlider->SetValue(m_nValue);

    // An in-range text stays as the user typed it ("007" is not rewritten to "7").
    if (bClamped)
    {
        const int nValue = m_nValue;
        m_nValue = INT_MIN;
        SetValue(nValue);
    }
}
