#pragma once
// The System Configuration page: profile name, SSID, network type and transmit power of a
// profile (first page of the profile editor; the main sheet holds one it never shows). Its
// template also keeps the ad hoc channel, power save, preamble, RTS and fragmentation controls,
// hidden; their values still pass through data exchange. The unit holds the region channel
// lists as well.

#include "controls/LinkSlider.h"
#include "controls/SmartEdit.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

inline constexpr int REGION_CHANNEL_LIST_SIZE = 64;

// The channels the adapter may use for a network type (0 ad hoc, 1 infrastructure), a
// wireless-mode code and an ad-hoc mode code (the driver's numbering) under g_nCountryRegion
// and the selected adapter's chip type; 2.4 GHz part first. *pnCount is set to 0 first.
// pChannels holds REGION_CHANNEL_LIST_SIZE bytes.
void GetRegionChannelList(int nNetworkType, int nWirelessMode, int nAdhocMode, BYTE* pChannels,
                          int* pnCount);
// The driver's current ad-hoc wireless mode (fifth word of the 0x0D710111 record). A failed
// query leaves *pnAdhocMode as it was.
void QueryAdhocMode(int* pnAdhocMode);

class CSysConfigPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CSysConfigPage)
public:
    CSysConfigPage();
    virtual ~CSysConfigPage();

    enum
    {
        IDD = IDD_SYSCONFIG_PAGE
    };

    CComboBox m_cbSsid;
    CComboBox m_cbChannel;
    CComboBox m_cbTxPower;
    CComboBox m_cbPreamble;
    CComboBox m_cbNetworkType;
    CButton m_btnCamOnAcPower;
    CSmartEdit m_editRtsThreshold;
    CSmartEdit m_editFragThreshold;
    CLinkSlider m_sliderRtsThreshold;
    CLinkSlider m_sliderFragThreshold;
    int m_nPowerSaveMode; // 0 CAM, 1 PSM
    int m_nPreamble;      // 0 "Auto", 1 "Long Preamble"
    int m_nNetworkType;   // 0 "Ad hoc", 1 "Infrastructure"
    int m_nRtsThreshold;
    int m_nFragThreshold;
    int m_bCamOnAcPower;
    int m_bUseFragThreshold;
    int m_bUseRtsThreshold;
    int m_nTxPower; // index 0..6 of the transmit-power list
    CString m_strProfileName;
    CString m_strNetworkTypeLabel;
    CString m_strPreambleLabel;
    CString m_strTxPowerLabel;
    CString m_strChannelLabel;
    CString m_strSsid;
    CString m_strProfileNameLabel;
    CString m_strSsidLabel;
    CString m_strChannel; // decimal channel number; "-1" for none
    int m_nAdhocMode;

    void FillChannelCombo();
    void FillSsidCombo();
    // Called by the sheet as it applies: the selected channel becomes m_strChannel (entry 0 for
    // infrastructure).
    void StoreSelectedChannel();

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnNetworkTypeChange();
    afx_msg void OnRtsThresholdCheck();
    afx_msg void OnFragThresholdCheck();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()
};
