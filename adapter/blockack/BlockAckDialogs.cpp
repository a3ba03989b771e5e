#include "adapter/blockack/BlockAckDialogs.h"

#include "adapter/blockack/BlockAckRecords.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/driver/MacText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

int QueryConnectedBssids(DWORD dwQueryOid, BYTE abBssids[BA_CONNECTED_MAX][6])
{
    BYTE abRecord[4 + BA_CONNECTED_MAX * BA_CONNECTED_ENTRY_SIZE] = {0};
    DWORD dwReturned = 0;
    if (!OidQueryInformation(dwQueryOid, abRecord, sizeof(abRecord), &dwReturned) || dwReturned < 4)
        return 0;
    DWORD dwCount = 0;
    memcpy(&dwCount, abRecord, sizeof(dwCount));
    // Only entries the driver wrote, and no more than the record holds.
    DWORD dwAnswered =
        (std::min(dwReturned, static_cast<DWORD>(sizeof(abRecord))) - 4) / BA_CONNECTED_ENTRY_SIZE;
    dwCount = std::min({dwCount, dwAnswered, static_cast<DWORD>(BA_CONNECTED_MAX)});
    for (DWORD i = 0; i < dwCount; i++)
        memcpy(abBssids[i], abRecord + 4 + i * BA_CONNECTED_ENTRY_SIZE, 6);
    return static_cast<int>(dwCount);
}

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
