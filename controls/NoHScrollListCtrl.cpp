#include "controls/NoHScrollListCtrl.h"

IMPLEMENT_DYNAMIC(CNoHScrollListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CNoHScrollListCtrl, CListCtrl)
ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

void CNoHScrollListCtrl::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    // Dropping the style before the client area is computed keeps the bar from ever showing.
    ModifyStyle(WS_HSCROLL, 0);
    CListCtrl::OnNcCalcSize(bCalcValidRects, lpncsp);
}
