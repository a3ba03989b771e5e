#pragma once
// A trackbar that mirrors a CSmartEdit: moving it by keyboard or by dragging the thumb writes
// its position into the edit box. A vertical trackbar runs the other way round (its top is the
// maximum), so values set from the edit are reversed on it.

#include "platform/Windows.h"

class CSmartEdit;

class CLinkSlider : public CSliderCtrl
{
    DECLARE_DYNAMIC(CLinkSlider)
public:
    CLinkSlider();

    // Links the edit; a TBS_VERT trackbar becomes reversed (for good).
    void AttachEdit(CSmartEdit* pEdit);
    void SetRange(int nMin, int nMax);
    // Moves the thumb to nValue (to nMin + nMax - nValue when reversed).
    void SetValue(int nValue);

    CSmartEdit* GetLinkedEdit() const { return m_pEdit; }
    int GetValue() const { return m_nValue; }
    BOOL IsReversed() const { return m_bReversed; }

protected:
    afx_msg void HScroll(UINT nSBCode, UINT nPos);
    DECLARE_MESSAGE_MAP()

    CSmartEdit* m_pEdit; // not owned
    int m_nMin;
    int m_nMax;
    int m_nValue;
    BOOL m_bReversed;
};
