#pragma once
// What both programs' block-ack add and delete dialogs do alike: the TID list, the list of peers
// to choose from, and reading the choice back. Each dialog names its own controls and texts.

#include "platform/Windows.h"

// The connected BSSIDs the driver reports (the record of dwQueryOid: a u32 count, then up to 32
// entries of 10 bytes, each starting with the BSSID), in record order. The count is bounded by
// the 32 entries and by the bytes returned; a failed query gives none.
#define BA_CONNECTED_MAX 32
#define BA_CONNECTED_ENTRY_SIZE 10
int QueryConnectedBssids(DWORD dwQueryOid, BYTE abBssids[BA_CONNECTED_MAX][6]);

// "0" to "7", the first selected.
void FillTidCombo(CComboBox& combo);

// One column "BSSID", nine tenths of the list's width.
void InitBssidList(CListCtrl& list);
// A row of the MAC as "%02X-%02X-%02X-%02X-%02X-%02X" at the end of the list.
void AddBssidRow(CListCtrl& list, const BYTE* pMac);
// Selects and focuses row 0 when there is one.
void SelectFirstBssid(CListCtrl& list);

// The selected row's MAC and the TID list's number. FALSE, with nothing read, when no row is
// selected.
BOOL ReadBaChoice(CListCtrl& list, CComboBox& tidCombo, BYTE* pBssid, int* pnTid);
