#pragma once
// The hidden monitor window of TessarynUI: a dialog that is never shown, run modally for the
// whole life of the program. It brings the adapter to station operation (InitCard), lives on
// its timers and private messages (watchdog, tray icon, power events), owns the main sheet,
// and hands the adapter over to the access-point program or ends the program.
//
// HideDlg.cpp holds start-up and card initialisation, HideDlgMonitor.cpp the timers, tray icon
// and messages, HideDlgShutdown.cpp the switch to access-point mode and the shutdown.

#include "adapter/driver/DriverVersion.h"
#include "client/access/NativeWifiClient.h"
#include "client/access/WmiEventReceiver.h"
#include "client/profiles/PeapSettingDlg.h"
#include "platform/Windows.h"

class CVnPropSheet;

// Timers of the monitor window.
#define TIMER_WATCHDOG 1  // 2000 ms
#define TIMER_WEP_CHECK 2 // 10000 ms
#define TIMER_RESCAN 3    // 4000 ms, once after the radio comes on
#define WATCHDOG_PERIOD 2000
#define WEP_CHECK_PERIOD 10000
#define RESCAN_DELAY 4000

class CHideDlg : public CDialog
{
public:
    CHideDlg(CWnd* pParent = NULL);
    virtual ~CHideDlg();

    NativeWifiClient m_WifiClient;    // also holds the OID accessor
    CPeapSettingDlg m_PeapSettingDlg; // held for the window's life; nothing runs it
    BOOL m_bWepCheckArmed;
    BOOL m_bDeviceExist;
    BOOL m_bOpenSheetAtStart;
    BOOL m_bSwitchingToAp;
    WmiEventReceiver m_WmiReceiver;
    BOOL m_bBusy; // a modal step runs: the watchdog and the tray commands wait
    BOOL m_bTrayIconPresent;
    CVnPropSheet* m_pPropSheet;
    UINT_PTR m_nRescanTimerId;

    // Start-up and card initialisation (HideDlg.cpp).
    void InitCard(BOOL bOpenSheet);
    void ShowPropSheet();
    void CheckChannelForRegion();
    BOOL IsSheetOpen() const;

    // Tray icon and scan list (HideDlgMonitor.cpp).
    BOOL AddTrayIcon();
    BOOL DeleteTrayIcon();
    void ModifyTaskBar(UINT nIconId);
    void RefreshBssidList();
    void KillAllTimers();
    void PostRescan();

    // Hand-over and shutdown (HideDlgShutdown.cpp).
    int WriteApDefaults();
    void SaveDriverKeyToDefault();
    void LoadApDefaultIntoDriverKey();
    int SetApOpMode();

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnTrayLaunch();
    afx_msg void OnTrayExit();
    afx_msg void OnSwitchToApMode();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnWlanConnected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWlanRoamed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWlanInterfaceArrival(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnScanComplete(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWlanDisconnected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnScanFailed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProfileEditState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRadioOn(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRadioOff(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDriverEvent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void FillTrayIconData(NOTIFYICONDATA& nid, UINT nIconId);
    void ShowTrayMenu();
    void OpenSheetFromTray();
    // DiscoverAdapter with m_bBusy set: the adapter choice may run a modal dialog.
    BOOL DiscoverDevice();

    // The parts of a watchdog tick, in the order OnTimer runs them. CheckAdapterPresent: when
    // the adapter is lost, closes the sheet, rediscovers and initialises the adapter found again.
    // FALSE when there is none (the tick ends there).
    BOOL CheckAdapterPresent();
    // Once the configuration is the program's, secured connections with WPA2 are allowed.
    void ResetSecurityGlobals();
    // Reads the link into g_CurrentBssid and g_CurrentSsid; *pbLinked tells whether there is
    // one. FALSE when the link query failed and no adapter is found any more.
    BOOL ReadLink(BOOL* pbLinked);
    void UpdateLinkIcon(BOOL bLinked); // the tray icon of the link, and the WEP error check
    UINT ChooseLinkIcon();             // by signal; the WEP error's after a wrong key
    // The watchdog's answer to a failed link query: rediscover, and initialise the card again
    // only when discovery now names a different adapter.
    void RediscoverAfterLinkQueryFailure();
    void CloseSheet(); // closes and deletes the main sheet, g_bSheetClosing := 1
};

// Small operations of start-up, used here and by the pages.
void CheckAdministrator();
void StartWlanService();
void StopWlanService(BOOL bSetOnDemand);
void QueryABandSupport();
void InitTxBurst();
void QueryEepromBit8();
void QueryEepromBit9();
BOOL IsClientOpMode();
void IsIeee80211hEnabled();
int AdjustWirelessMode(int nMode);
// The same on a mode's display text: the text of the adjusted code of the text.
CString AdjustWirelessModeText(LPCSTR pszText);
// The channels allowed for the chip type, wireless mode and region word (bits 0-6 the 2.4 GHz
// region code, bits 8-14 the 5 GHz one), in list order.
void BuildRegionChannelList(int nChipType, int nWirelessMode, int nCountryRegion,
                            CDWordArray& list);
// The tray icon's tip for an icon state; "%s" takes the current SSID.
CString TrayTipForIcon(UINT nIconId);
