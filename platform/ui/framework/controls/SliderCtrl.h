#pragma once
// The framework's trackbar.

#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/framework/Wnd.h"

class CSliderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Both ends travel as 16-bit values (TBM_SETRANGE).
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE);
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE);
    int GetRangeMin() const;
    int GetRangeMax() const;
    void GetRange(int& nMin, int& nMax) const;
    void SetPos(int nPos);
    int GetPos() const;
    int SetLineSize(int nSize);
    int GetLineSize() const;
    int SetPageSize(int nSize);
    int GetPageSize() const;
    BOOL SetTic(int nTic);
    void SetTicFreq(int nFreq);
    void ClearTics(BOOL bRedraw = FALSE);
    int GetNumTics() const;
    void SetSelection(int nMin, int nMax);
    void GetSelection(int& nMin, int& nMax) const;
    void ClearSel(BOOL bRedraw = FALSE);
};
