#pragma once
// A list view that never shows a horizontal scroll bar.

#include "platform/Windows.h"

class CNoHScrollListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CNoHScrollListCtrl)
public:
    CNoHScrollListCtrl() = default;

protected:
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    DECLARE_MESSAGE_MAP()
};
