#pragma once
// The Advanced page: wireless mode, B/G protection, transmit rate, country regions, TX burst,
// the operating system's TCP window tuning, fast roaming, the CCX options and a software radio
// switch, and on 802.11n adapters the HT transmit settings. Every choice goes to "Config", the
// driver key and the driver. The main sheet holds one and never shows it.
//
// AdvancePage.cpp holds the page and its controls, AdvanceSettings.cpp the load and save,
// AdvanceHtGroup.cpp the 802.11n group.

#include "adapter/radio/HTTable.h"
#include "controls/ResizeWidthComboBox.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

// The region selections the page remembered at its start and at the last Apply that warned.
extern int g_nAdvRegionBgSelection;
extern int g_nAdvRegionASelection;

class CAdvancePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CAdvancePage)
public:
    CAdvancePage();
    virtual ~CAdvancePage();

    enum
    {
        IDD = IDD_ADVANCE_PAGE
    };

    CHTTable m_HtTable;
    CResizeWidthComboBox m_cbRegionA;
    CResizeWidthComboBox m_cbRegionBg;
    CButton m_btnQos;
    CEdit m_edLimit;
    CButton m_btnNonServing;
    CButton m_btnCcx;
    CButton m_btnCckm;
    CButton m_btnRadioMeasurements;
    CComboBox m_cbWirelessMode;
    CButton m_btnRadio;
    CComboBox m_cbProtection;
    CComboBox m_cbTxRate;
    CStatic m_stRadioBitmap;

    int m_bTxBurst;
    int m_nBgProtection;
    CString m_strProtectionLabel;
    CString m_strModeLabel;
    CString m_strWirelessMode;
    int m_bCcx;
    int m_bCckm;
    int m_bRadioMeasurements;
    int m_bNonServing;
    UINT m_nLimit; // milliseconds, 0..2000
    int m_bFastRoaming;
    int m_nRoamThreshold; // dBm, -90..-60
    int m_bQos;
    int m_nRegionBg;
    int m_nRegionA;

    // The 802.11n group.
    int m_nStbc;          // 0 "None", 1 "Auto"
    int m_nBandwidth;     // 0 "20", 1 "Auto" (40 MHz allowed)
    int m_nGuardInterval; // 0 "long", 1 "Auto" (short)
    int m_nHtMode;        // 0 "MM", 1 "GF"
    int m_nExtChannel;    // 0 "None", 1 "Above", 2 "Below"
    CString m_strMcs;
    CComboBox m_cbMcs;

    int m_nTxRate;
    BOOL m_bFirstChange; // until the end of OnInitDialog: a mode change shows no message
    UINT_PTR m_nTimerId;
    BOOL m_bBgRegionVisible; // as Apply last saw them
    BOOL m_bARegionVisible;

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    // The APPLY button's work (a sheet's Apply runs it too): FALSE when a check stopped it.
    virtual BOOL OnApply();

    BOOL LoadAdvancedSettings();
    BOOL SaveAdvancedSettings();
    void ApplyQosFromDriver();
    void UpdateControls(BOOL bSave);

    // The 802.11n group (AdvanceHtGroup.cpp).
    void HideHtGroup();
    void ShowHtControls(BOOL bShow, int nVariant, int nMode);
    void FillMcsCombo(int nVariant, int nBandwidth, LPCSTR pszText);
    void UpdateTxRateLabel(int nVariant);
    BOOL IsHtCombinationValid();
    void OnRegionBgChange();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    void FillRegionCombos();
    void ShowRadioState();
    DWORD BuildCcx2Control() const;
    void LoadCcx2Control(DWORD dwValue);
    // Load and save of the 802.11n group, and its request to the driver.
    void LoadTransmitSetting();
    DWORD BuildTransmitSetting() const;
    void SendHtPhyMode();
    // The TCP window tuning under the Tcpip key (optional: a key that does not open is skipped).
    void LoadTcpTuning();
    void SaveTcpTuning();

    afx_msg void OnWirelessModeChange();
    afx_msg void OnApplyClicked();
    afx_msg void OnRadioOnOff();
    afx_msg void OnCcxClick();
    afx_msg void OnRadioMeasurementClick();
    afx_msg void OnNonServingClick();
    afx_msg void OnFastRoamingClick();
    afx_msg void OnHtRateChange();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// Whether the mode may use 40 MHz: modes 7 and 9 need EEPROM bit 8 clear, mode 8 bit 9.
BOOL Is40MhzAllowed(int nMode);
// "Auto" (string 122) for 33, else the decimal number; and back.
CString McsToText(int nMcs);
int McsFromText(LPCSTR pszText);
// The channels of a region entry ("0: FCC, CH1-11" gives 1 and 11): after the first "H", the
// numbers before and after the first "-" (one number gives both).
void ParseRegionChannelSpan(LPCSTR pszText, int* pnFirst, int* pnLast);
