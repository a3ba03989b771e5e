#pragma once
// The framework's scroll bar control.

#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/framework/Wnd.h"

class CScrollBar : public CWnd
{
    DECLARE_DYNAMIC(CScrollBar)
public:
    CScrollBar() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Returns the previous position.
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos() const;
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int* lpMinPos, int* lpMaxPos) const;
};
