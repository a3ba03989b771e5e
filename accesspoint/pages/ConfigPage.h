#pragma once
// The "Config" page: the access point's radio and network settings. It loads them from the
// driver key at each initialisation; APPLY writes them to "ApDefault", copies "ApDefault" into
// the driver key and sends them to the driver, ending with the SSID, which restarts the access
// point with them. Closing the sheet applies nothing. The security part is edited in the
// security dialog and stored with the next APPLY.
//
// ConfigPage.cpp holds the page's members, initialisation and small handlers; ConfigPageLists.cpp
// the lists that follow the wireless mode, the region and the 802.11n choices; ConfigPageApply.cpp
// loading, DEFAULT and APPLY.

#include "accesspoint/settings/ApSecuritySettings.h"
#include "adapter/radio/HTTable.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

#define CONFIG_TIMER_ID 1
#define CONFIG_TIMER_PERIOD 1000

class CConfigPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CConfigPage)
public:
    CConfigPage();
    virtual ~CConfigPage();

    enum
    {
        IDD = IDD_CONFIG_PAGE
    };

    // The members the controls exchange, in this order.
    CString m_strSsid;
    int m_nPreamble;
    int m_nBeaconPeriod;
    int m_nFragThreshold;
    int m_nRtsThreshold;
    int m_bTxBurst;
    int m_bNoForwarding;
    int m_bHideSsid;
    int m_bTurboRate;
    int m_bShortSlot;
    CString m_strWirelessMode; // the label; its number by the mode table
    int m_nBgProtection;
    int m_bAutoChannelSelect;
    int m_nTxPower;
    int m_nCountryRegion;
    int m_nCountryRegionABand;
    int m_nIdleTime;
    int m_nStbc;             // 0 None, 1 Auto
    int m_nBandwidth;        // 0 "20", 1 "20 / 40"
    int m_nGuardInterval;    // 0 long, 1 Auto
    int m_nHtMode;           // 0 MM, 1 GF
    CString m_strHtMcs;      // "Auto" (33) or an MCS number
    CString m_strExtChannel; // "none" or a channel number
    int m_bAllowBw40;
    int m_nTransRate;
    CString m_strChannel; // a channel number, or "J8", "J12", "J16"

    ApSecuritySettings m_SecuritySettings;
    CString m_strMacSsid; // "AP" and the adapter's MAC address in 12 hex digits
    BYTE m_abMac[6];

    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    // Closing the sheet applies nothing.
    virtual void OnOK();

    // The members from the driver key's values; a value that cannot be read keeps its member.
    void ReadConfigFromRegistry();
    // APPLY's work once the SSID passed: "ApDefault", the driver key and the driver.
    void WriteConfigToRegistryAndSetOid();

    // The mode number of the selected wireless-mode label (0 when it is none).
    int CurrentWirelessMode() const;
    // The channel lists the page offers.
    void RefillChannelList();
    void RefillExtChannelList();
    void RefreshTxRateText();

    afx_msg void OnApplyButton();
    afx_msg void OnDefault();
    afx_msg void OnSecurity();
    afx_msg void OnUseMacAddress();
    afx_msg void OnSelchangeWirelessMode();
    afx_msg void OnAutoChannelSelect();
    afx_msg void OnSelchangeCountryRegion();
    afx_msg void OnHtSettingChange();
    afx_msg void OnBw20();
    afx_msg void OnBw40();
    afx_msg void OnSelchangeChannel();
    afx_msg void OnSelchangeExtChannel();
    afx_msg void OnAllowBw40();
    afx_msg void OnTimer(UINT_PTR nIDEvent);

protected:
    CComboBox m_cbWirelessMode;
    CComboBox m_cbChannel;
    CComboBox m_cbTransRate;
    CComboBox m_cbHtMcs;
    CComboBox m_cbExtChannel;
    CComboBox m_cbBgProtection;
    CComboBox m_cbPreamble;
    CComboBox m_cbTxPower;
    CComboBox m_cbARegion;
    CHTTable m_HtTable;

    virtual void DoDataExchange(CDataExchange* pDX);

    // The controls into the members, the extension-channel text kept as it was.
    BOOL ReadControls();
    void ShowControl(int nID, BOOL bShow);
    void EnableControl(int nID, BOOL bEnable);
    void ShowHtGroup(BOOL bShow);
    void FillTransRateList(int nMode);
    void FillHtMcsList();
    void SelectWirelessModeText();
    void QueryMacAddress();

    DECLARE_MESSAGE_MAP()
};
