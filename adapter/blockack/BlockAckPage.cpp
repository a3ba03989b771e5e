#include "adapter/blockack/BlockAckPage.h"

#include "adapter/driver/MacText.h"

#include <cstring>

void InitBaSessionList(CListCtrl& list, LPCSTR pszMacTitle)
{
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    CRect rcList;
    list.GetWindowRect(&rcList);
    int nWidth = rcList.Width();
    list.InsertColumn(0, pszMacTitle, LVCFMT_LEFT, nWidth * 33 / 100);
    CString strTitle;
    for (int nTid = 0; nTid < BA_TID_COUNT; nTid++)
    {
        if (nTid == 0)
            strTitle.Format("TID=%d", nTid);
        else
            strTitle.Format("%d", nTid);
        list.InsertColumn(nTid + 1, strTitle, LVCFMT_LEFT, nWidth * (nTid == 0 ? 12 : 8) / 100);
    }
}

void FillBaSessionList(CListCtrl& list, const BaSessionTable& table, BYTE nDirection,
                       CBaSessionArray& sessions)
{
    list.DeleteAllItems();
    sessions.RemoveAll();
    const BaPeerEntry* pEntries = nDirection == BA_ORIGINATOR ? table.Originator : table.Recipient;
    int nCount = nDirection == BA_ORIGINATOR ? table.OriginatorCount : table.RecipientCount;
    int nRows = 0;
    for (int i = 0; i < BA_PEER_ENTRIES && nRows < nCount; i++)
    {
        const BaPeerEntry& entry = pEntries[i];
        if (entry.TidBitmap == 0)
            continue;
        int nRow = list.InsertItem(nRows, MacText(entry.PeerMac));
        BaPeerSessions peer;
        memset(&peer, 0, sizeof(peer));
        for (int nTid = 0; nTid < BA_TID_COUNT; nTid++)
        {
            BOOL bActive = (entry.TidBitmap >> nTid) & 1;
            CString strValue = "-";
            if (bActive)
                strValue.Format("%d", entry.TidValue[nTid]);
            list.SetItemText(nRow, nTid + 1, strValue);

            BaSessionRecord& record = peer.Session[nTid];
            record.Direction = nDirection;
            memcpy(record.PeerMac, entry.PeerMac, sizeof(record.PeerMac));
            record.Tid = static_cast<BYTE>(nTid);
            record.TidValue = entry.TidValue[nTid];
            memcpy(&record.TidWord, entry.TidSlot[nTid], sizeof(record.TidWord));
            record.bActive = bActive;
        }
        sessions.Add(peer);
        nRows++;
    }
}

void EnableBaControls(CWnd& page, const BaControlIds& ids, const BaSettings& settings)
{
    BOOL bOn = settings.bMpduAggregation != 0;
    page.GetDlgItem(ids.nPolicyManual)->EnableWindow(bOn);
    page.GetDlgItem(ids.nPolicyAuto)->EnableWindow(bOn);
    page.GetDlgItem(ids.nDensity)->EnableWindow(bOn);
    BOOL bManual = bOn && settings.nPolicy == 0;
    for (int nId : ids.anSessionButtons)
        page.GetDlgItem(nId)->EnableWindow(bManual);
    page.GetDlgItem(ids.nAmsduSize0)->EnableWindow(settings.bAmsdu != 0);
    page.GetDlgItem(ids.nAmsduSize1)->EnableWindow(settings.bAmsdu != 0);
}
