#include "platform/ui/framework/controls/ScrollBar.h"

#include "platform/ui/PointerParam.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_SCROLLBARA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw)
{
    return static_cast<int>(::SendMessageA(m_hWnd, SBM_SETPOS, static_cast<WPARAM>(nPos), bRedraw));
}

int CScrollBar::GetScrollPos() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, SBM_GETPOS, 0, 0));
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE,
                   static_cast<WPARAM>(nMinPos), nMaxPos);
}

void CScrollBar::GetScrollRange(int* lpMinPos, int* lpMaxPos) const
{
    platform::PointerParam low(lpMinPos);
    platform::PointerParam high(lpMaxPos);
    ::SendMessageA(m_hWnd, SBM_GETRANGE, static_cast<WPARAM>(low.get()), high);
}
