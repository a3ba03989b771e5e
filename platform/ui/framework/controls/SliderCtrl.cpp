#include "platform/ui/framework/controls/SliderCtrl.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(TRACKBAR_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, TBM_SETRANGE, static_cast<WPARAM>(bRedraw),
                   MAKELPARAM(static_cast<WORD>(nMin), static_cast<WORD>(nMax)));
}

void CSliderCtrl::SetRangeMin(int nMin, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, TBM_SETRANGEMIN, static_cast<WPARAM>(bRedraw), nMin);
}

void CSliderCtrl::SetRangeMax(int nMax, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, TBM_SETRANGEMAX, static_cast<WPARAM>(bRedraw), nMax);
}

int CSliderCtrl::GetRangeMin() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TBM_GETRANGEMIN, 0, 0));
}

int CSliderCtrl::GetRangeMax() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TBM_GETRANGEMAX, 0, 0));
}

void CSliderCtrl::GetRange(int& nMin, int& nMax) const
{
    nMin = GetRangeMin();
    nMax = GetRangeMax();
}

void CSliderCtrl::SetPos(int nPos)
{
    ::SendMessageA(m_hWnd, TBM_SETPOS, TRUE, nPos);
}

int CSliderCtrl::GetPos() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TBM_GETPOS, 0, 0));
}

int CSliderCtrl::SetLineSize(int nSize)
{
    return static_cast<int>(::SendMessageA(m_hWnd, TBM_SETLINESIZE, 0, nSize));
}

int CSliderCtrl::GetLineSize() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TBM_GETLINESIZE, 0, 0));
}

int CSliderCtrl::SetPageSize(int nSize)
{
    return static_cast<int>(::SendMessageA(m_hWnd, TBM_SETPAGESIZE, 0, nSize));
}

int CSliderCtrl::GetPageSize() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TBM_GETPAGESIZE, 0, 0));
}

BOOL CSliderCtrl::SetTic(int nTic)
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, TBM_SETTIC, 0, nTic));
}

void CSliderCtrl::SetTicFreq(int nFreq)
{
    ::SendMessageA(m_hWnd, TBM_SETTICFREQ, static_cast<WPARAM>(nFreq), 0);
}

void CSliderCtrl::ClearTics(BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, TBM_CLEARTICS, static_cast<WPARAM>(bRedraw), 0);
}

int CSliderCtrl::GetNumTics() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TBM_GETNUMTICS, 0, 0));
}

void CSliderCtrl::SetSelection(int nMin, int nMax)
{
    ::SendMessageA(m_hWnd, TBM_SETSELSTART, FALSE, nMin);
    ::SendMessageA(m_hWnd, TBM_SETSELEND, FALSE, nMax);
}

void CSliderCtrl::GetSelection(int& nMin, int& nMax) const
{
    nMin = static_cast<int>(::SendMessageA(m_hWnd, TBM_GETSELSTART, 0, 0));
    nMax = static_cast<int>(::SendMessageA(m_hWnd, TBM_GETSELEND, 0, 0));
}

void CSliderCtrl::ClearSel(BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, TBM_CLEARSEL, static_cast<WPARAM>(bRedraw), 0);
}
