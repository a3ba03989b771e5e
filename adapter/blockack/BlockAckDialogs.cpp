#include "adapter/blockack/BlockAckDialogs.h"

#include "adapter/blockack/BlockAckRecords.h"
#include "adapter/driver/MacText.h"

#include <cstdlib>

void FillTidCombo(CComboBox& combo)
{
    combo.ResetContent();
    CString strTid;
    for (int nTid = 0; nTid < BA_TID_COUNT; nTid++)
    {
        strTid.Format("%d", nTid);
        combo.AddString(strTid);
    }
    combo.SetCurSel(0);
}

void InitBssidList(CListCtrl& list)
{
    CRect rcList;
    list.GetWindowRect(&rcList);
    list.InsertColumn(0, "BSSID", LVCFMT_LEFT, rcList.Width() * 9 / 10);
}

void AddBssidRow(CListCtrl& list, const BYTE* pMac)
{
    list.InsertItem(list.GetItemCount(), MacText(pMac));
}

void SelectFirstBssid(CListCtrl& list)
{
    if (list.GetItemCount() > 0)
        list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

BOOL ReadBaChoice(CListCtrl& list, CComboBox& tidCombo, BYTE* pBssid, int* pnTid)
{
    // The selection first: a row's text is read only when there is a row.
    int nRow = list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return FALSE;
    CString strTid;
    int nSel = tidCombo.GetCurSel();
    if (nSel >= 0)
        tidCombo.GetLBText(nSel, strTid);
    *pnTid = atoi(strTid);
    MacTextToBytes(list.GetItemText(nRow, 0), pBssid);
    return TRUE;
}
