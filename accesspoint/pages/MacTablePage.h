#pragma once
// The "Mac Table" page: the stations associated with the access point, from the driver's
// station table every 2 seconds while the page is active. On an 802.11n chip each row tells the
// rate the access point sends to the station at.

#include "adapter/radio/HTTable.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

#define OID_AP_STATION_TABLE 0x0D71010B
#define MAC_TABLE_MAX_ENTRIES 32

// One associated station in the driver's table (10 bytes).
#pragma pack(push, 1)
struct MacTableEntry
{
    BYTE abMac[6];
    BYTE bAid;
    BYTE bPowerSave; // 0 awake
    WORD wTxRate;    // a TxRateWord
};
#pragma pack(pop)
static_assert(sizeof(MacTableEntry) == 10);

// The driver's answer: the count, then up to 32 entries.
#pragma pack(push, 1)
struct MacTableRecord
{
    DWORD dwCount;
    MacTableEntry entries[MAC_TABLE_MAX_ENTRIES];
};
#pragma pack(pop)
static_assert(sizeof(MacTableRecord) == 324);

// The "Status" text of a transmit-rate word: "B: Rate = 11.00", "Rate = 54.00", or
// "N: MCS = 7, BW = 40, GI = 400, STBC : none, Rate = 150.00".
CString MacTableRateText(const CHTTable& table, WORD wTxRate);

class CMacTablePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CMacTablePage)
public:
    CMacTablePage();
    virtual ~CMacTablePage();

    enum
    {
        IDD = IDD_MACTABLE_PAGE
    };

    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();

protected:
    CListCtrl m_listMacTable;
    CHTTable m_HtTable;

    virtual void DoDataExchange(CDataExchange* pDX);
    // The rows anew from the driver's table; a failed query keeps them.
    void RefreshStations();

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
