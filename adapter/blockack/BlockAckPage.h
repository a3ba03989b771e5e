#pragma once
// What both programs' 11n pages do alike with their controls: the two session lists with the
// session records behind their rows, and which controls the aggregation settings enable. Each
// page names its own controls.

#include "adapter/blockack/BlockAckRecords.h"
#include "platform/Windows.h"

// One TID of a listed peer.
struct BaSessionRecord
{
    BYTE Direction; // BA_ORIGINATOR or BA_RECIPIENT
    BYTE PeerMac[6];
    BYTE Tid;
    BYTE TidValue; // the peer entry's byte of this TID
    WORD TidWord;  // the peer entry's 16-bit value of this TID
    BOOL bActive;  // the TID has a session
};

// The eight TIDs of one listed peer.
struct BaPeerSessions
{
    BaSessionRecord Session[BA_TID_COUNT];
};

typedef CArray<BaPeerSessions, BaPeerSessions&> CBaSessionArray;

// Extended styles, then the columns: the MAC (pszMacTitle, a third of the width), "TID=0"
// (0.12), "1" to "7" (0.08 each).
void InitBaSessionList(CListCtrl& list, LPCSTR pszMacTitle);

// Refills one side's list and its sessions from a table the driver answered: a row for each
// entry with sessions, in table order, until the side's count of rows is reached (never more
// than the table's 32 entries). A TID column shows its value, or "-" without a session.
void FillBaSessionList(CListCtrl& list, const BaSessionTable& table, BYTE nDirection,
                       CBaSessionArray& sessions);

// The page's controls that the settings enable.
struct BaControlIds
{
    int nPolicyManual;
    int nPolicyAuto;
    int nDensity;
    int anSessionButtons[6]; // ADD, DELETE, DELETE ENTRY of each side
    int nAmsduSize0;
    int nAmsduSize1;
};

// MPDU aggregation on: the policy and density enabled, the session buttons only with the manual
// policy; off: all of them disabled. The A-MSDU sizes follow A-MSDU.
void EnableBaControls(CWnd& page, const BaControlIds& ids, const BaSettings& settings);
