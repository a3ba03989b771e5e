#include "adapter/sheet/SheetButtons.h"

void ShowOkInPlaceOf(CPropertySheet& sheet, int nPlaceId)
{
    CWnd* pPlace = sheet.GetDlgItem(nPlaceId);
    CWnd* pOk = sheet.GetDlgItem(IDOK);
    if (pPlace != NULL && pOk != NULL)
    {
        CRect rcPlace;
        pPlace->GetWindowRect(&rcPlace);
        sheet.ScreenToClient(&rcPlace);
        pOk->ShowWindow(SW_SHOW);
        pOk->EnableWindow(TRUE);
        pOk->MoveWindow(&rcPlace);
    }
    CWnd* pHelp = sheet.GetDlgItem(IDHELP);
    if (pHelp != NULL)
    {
        pHelp->ShowWindow(SW_SHOW);
        pHelp->EnableWindow(TRUE);
    }
}

BOOL IsOkButtonRelease(CPropertySheet& sheet, const MSG* pMsg)
{
    if (pMsg->message != WM_LBUTTONUP)
        return FALSE;
    CWnd* pOk = sheet.GetDlgItem(IDOK);
    return pOk != NULL && pMsg->hwnd == pOk->m_hWnd;
}

void FitSheetBelowOk(CPropertySheet& sheet, int nMargin)
{
    CWnd* pOk = sheet.GetDlgItem(IDOK);
    if (pOk == NULL)
        return;
    CRect rcSheet;
    CRect rcOk;
    sheet.GetWindowRect(&rcSheet);
    pOk->GetWindowRect(&rcOk);
    sheet.SetWindowPos(NULL, 0, 0, rcSheet.Width(), rcOk.bottom + nMargin - rcSheet.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
