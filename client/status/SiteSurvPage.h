#pragma once
// The Site Survey page of the main sheet: the networks of the last scan, the one the adapter is
// connected to marked, a status line, Rescan, and the hand-over of a chosen network to the
// Profile page. Also the routines that close the dialogs left open before the sheet goes.

#include "controls/SiteListCtrl.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

#define SITE_SURVEY_TIMER 1
#define SITE_SURVEY_PERIOD 2000

struct BssSecurity;
struct NDIS_WLAN_BSSID_EX;
struct StationProfile;

// What Add Profile hands to the Profile page for a row.
struct SITE_PROFILE_VALUES
{
    CString strSsid;
    int nEncryption;     // 0 WEP, 1 none, 4 TKIP, 6 AES
    int nAuthentication; // NDIS numbering
    int nNetworkType;    // the entry's infrastructure mode
    int nChannel;
};

class CSiteSurvPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CSiteSurvPage)
public:
    CSiteSurvPage();
    virtual ~CSiteSurvPage();

    enum
    {
        IDD = IDD_SITESURVEY_PAGE
    };

    CSiteListCtrl m_listSites;
    BOOL m_bListRefreshPending;
    BYTE* m_pBssidList; // the page's own copy of the scan list, BSSID_LIST_BYTES long

    // 0 none, 1 WPA, 2 WPA-PSK, 3 WPA-NONE, 4 WPA2, 5 WPA2-PSK: from the focused row's
    // Authentication column; 0 when no row is focused.
    int AuthModeFromText();
    CString PhyTypeText(int nRow, int nColumn, int bHt);
    void FillBssList();
    void UpdateStatus();
    void UpdateButtons();
    void MarkConnectedRow(int nRow, BOOL bNotConnected);
    // The values Add Profile passes for the focused row; FALSE when there is no focused row or
    // the page's list holds no entries.
    BOOL GetProfileValues(SITE_PROFILE_VALUES& values);
    // The record Connect fills for the focused row (open, unencrypted); the caller frees it
    // with GlobalUnlock and GlobalFree. NULL when there is no entry.
    StationProfile* BuildConnectProfile();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    void InitImageList();
    void InitListColumns();
    // The scan-list entry of a row of the page's copy; NULL past the entries the list holds.
    const void* EntryOfRow(int nRow) const;
    int FocusedRow() const;
    void SetStatusText(LPCSTR pszText);

    // The rows FillBssList makes, one per scan-list entry.
    void InsertEntryRow(int nRow, const BYTE* pEntry);
    // The texts of a row before its information elements are read: SSID (the row inserted),
    // BSSID, signal, channel, WEP or none, "Unknown" authentication and the network type.
    void SetRowTexts(int nRow, const NDIS_WLAN_BSSID_EX& header);
    // The key-management and cipher names the elements give, in place of the plain texts.
    void SetSecurityTexts(int nRow, const BssSecurity& security);
    void ClearConnectedMarks(); // no row shows the connected image

    UINT_PTR m_nTimerId;

    afx_msg void OnRescan();
    afx_msg void OnConnect();
    afx_msg void OnAddProfile();
    afx_msg void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnScanComplete(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// End every open hidden-SSID dialog and System Configuration page with IDCANCEL (the monitor
// window is about to destroy the sheet).
void CloseHiddenSsidDialogs();
void CloseSysConfigPages();
BOOL CALLBACK CloseHiddenSsidDlgProc(HWND hWnd, LPARAM lParam);
BOOL CALLBACK CloseSysConfigPageProc(HWND hWnd, LPARAM lParam);
