#pragma once
// The hidden monitor window of TessarynAp: a dialog that is never shown, run modally for the
// whole life of the program. It starts the access point (StartAccessPoint.cpp) with the stored
// settings (settings/), keeps the notification-area icon, collects the station events and
// watches the adapter on its 2-second tick, owns the modeless sheet, and hands the adapter back
// to station use.
//
// HideDlg.cpp holds start-up, the icon and its menu and the opening of the sheet; HideDlgTick.cpp
// the tick; HideDlgStationMode.cpp Exit and the switch back to station use.

#include "platform/Windows.h"

class CVnPropSheet;

// The icon's callback message.
#define WM_TRAY_NOTIFY (WM_USER + 100)

#define MONITOR_TIMER_ID 0
#define MONITOR_PERIOD 2000

class CHideDlg : public CDialog
{
public:
    CHideDlg(CWnd* pParent = NULL);
    virtual ~CHideDlg();

    BOOL m_bDeviceExist;
    BOOL m_bOpenSheetAtStart;
    BOOL m_bBusy; // a modal step or the start sequence runs: the tick and the tray wait
    BOOL m_bTrayIconAdded;
    UINT_PTR m_nTimerId;
    CVnPropSheet* m_pPropSheet;

    BOOL IsSheetOpen() const;
    void OpenConfigSheet();

    // Tray icon (HideDlg.cpp).
    BOOL AddTrayIcon();
    BOOL DeleteTrayIcon();
    void SetTrayIcon(UINT nIconId);

    // The start sequence (StartAccessPoint.cpp).
    void StartAccessPoint(BOOL bOpenSheet);
    int EnableBridging();
    void InitTxBurst();
    void QueryNetworkTypes();
    void VerifyCountryRegion();
    void QueryDriverVersion();
    void ReadAllowBw40InBgBand();

    // The stored settings (settings/).
    void CreateDefaultApSettings();
    void ApplyApSettings();

    // The tick (HideDlgTick.cpp).
    int ReadCheckBuild();

    // Back to station use (HideDlgStationMode.cpp).
    void WriteStationOpMode();

protected:
    virtual BOOL OnInitDialog();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnTrayLaunch();
    afx_msg void OnSwitchToStation();
    afx_msg void OnExit();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // DiscoverAdapter with m_bBusy set: the adapter choice may run a modal dialog.
    BOOL DiscoverDevice();
    void ShowTrayMenu();
    void FillTrayIconData(NOTIFYICONDATA& nid, UINT nIconId);
    void CloseSheet(); // destroys and deletes the sheet
    // The parts of a tick with the adapter present.
    void UpdateSignalIcon();
    void CollectStationEvents();
    // The tick's answer to a lost adapter.
    void RecoverAdapter();
};

// TRUE when the driver's start marker says this driver load has seen a start sequence; a
// failed query counts as initialised.
BOOL IsApInitialised();
// The register query the start sequence makes twice; its answers are not used.
void QueryBbpRegister54();
// Copies the values of the driver key's "Default" into the driver key (nothing without it).
void RestoreDefaultApSettings();
