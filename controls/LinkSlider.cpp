#include "controls/LinkSlider.h"

#include "controls/SmartEdit.h"

#include <climits>

IMPLEMENT_DYNAMIC(CLinkSlider, CSliderCtrl)

BEGIN_MESSAGE_MAP(CLinkSlider, CSliderCtrl)
ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

CLinkSlider::CLinkSlider()
    : m_pEdit(NULL), m_nMin(0), m_nMax(0), m_nValue(INT_MAX), m_bReversed(FALSE)
{
}

void CLinkSlider::AttachEdit(CSmartEdit* pEdit)
{
    m_pEdit = pEdit;
    if ((GetStyle() & TBS_VERT) != 0)
        m_bReversed = TRUE;
}

void CLinkSlider::SetRange(int nMin, int nMax)
{
    m_nMin = nMin;
    m_nMax = nMax;
    CSliderCtrl::SetRange(nMin, nMax, TRUE);
}

void CLinkSlider::SetValue(int nValue)
{
    m_nValue = m_bReversed ? m_nMin + m_nMax - nValue : nValue;
    CSliderCtrl::SetPos(m_nValue);
}

void CLinkSlider::HScroll(UINT nSBCode, UINT nPos)
{
    Default();
    if (m_pEdit == NULL)
        return;

    int nPosition;
    switch (nSBCode)
    {
    case TB_LINEUP:
    case TB_LINEDOWN:
    case TB_PAGEUP:
    case TB_PAGEDOWN:
        nPosition = GetPos();
        break;
    case TB_THUMBTRACK:
        nPosition = static_cast<int>(nPos);
        break;
    default:
        // The thumb's final position, Home, End and the end of tracking change nothing the
        // edit has not already seen.
        return;
    }
    m_nValue = nPosition;
    m_pEdit->SetValue(nPosition);
}
