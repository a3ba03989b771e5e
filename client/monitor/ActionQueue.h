#pragma once
// Scans and profile applies reach the adapter through one queue owned by the monitor window.
// The queue keeps one waiting scan and only the newest profile; ActionExec carries the actions
// out on the UI thread. Also the small shared helpers of the apply.

#include "platform/Windows.h"

struct StationProfile;

#define ACTION_SCAN 0
#define ACTION_APPLY_PROFILE 1

struct _ACTION_DATA
{
    int nKind;    // ACTION_SCAN (no data) or ACTION_APPLY_PROFILE
    LPVOID pData; // kind 1: a locked movable global block holding one StationProfile, owned by
                  // the queue from insertion on
};

typedef CArray<_ACTION_DATA, _ACTION_DATA&> CActionArray;

// Oldest first.
extern CActionArray ActionQueue;
// A deep copy of the last profile inserted (record and key blocks); NULL until then.
extern StationProfile* g_pCurrentProfile;

// Queues the action; TRUE when the queue holds exactly one entry afterwards (run ActionExec).
BOOL InsertAction(_ACTION_DATA& action);
void ActionExec();
void RequestScan();
// Replaces *ppTarget with a deep copy of the record (the old copy freed).
void CopyActionData(StationProfile** ppTarget, const StationProfile* pProfile);
// Frees a record with the key blocks it owns.
void FreeStationProfile(StationProfile* pProfile);
// Empties the queue from the front, freeing every record (shutdown).
void ClearActionQueue();

// The supported and extended rates of a wireless mode (500 kbit/s units, bit 7 a basic rate):
// mode 1 the CCK rates, 2 and 4 the OFDM rates, the others both (the OFDM basic rates extended).
void GetModeRates(int nMode, const BYTE** ppRates, DWORD* pnRates, const BYTE** ppExtRates,
                  DWORD* pnExtRates);
// The desired rates of an 802.11n mode: every mixed rate when the MCS is chosen automatically,
// else the top rate only.
void SetHtDesiredRates(BOOL bAutoMcs);

int RssiToPercent(LONG lDbm);
BOOL MapModeCodeToDriver(int nCode, int* pnOut);
int GetCcx2Control(DWORD* pdwValue);
void SetCcx2Control(int nMode, DWORD dwValue);
