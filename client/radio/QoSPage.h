#pragma once
// The QoS page: WMM on or off, WMM power save (APSD) with its per-category dialog, and Direct
// Link Setup with the driver's direct links, listed every second while the page is shown. No
// sheet of the program adds it.

#include "controls/SmartEdit.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

// The DLS row last clicked (-1: none); with its MAC text (g_strQosDlsText, a program-wide
// object) it outlives the page.
extern int g_nQosDlsSelected;

class CQoSPAGE : public CPropertyPage
{
    DECLARE_DYNCREATE(CQoSPAGE)
public:
    CQoSPAGE();
    virtual ~CQoSPAGE();

    enum
    {
        IDD = IDD_QOS_PAGE
    };

    BYTE m_abOwnMac[6];
    CListCtrl m_lcDls;
    CString m_strMac[6]; // one byte each, hexadecimal
    CSmartEdit m_edMac[6];
    CString m_strTimeout; // seconds
    int m_bWmm;
    int m_bDls;
    int m_bApsd;
    UINT_PTR m_nTimerId;

    virtual BOOL OnSetActive();

    void UpdateQosControls();
    void RefreshDlsList();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    // The six byte edits and the time-out, with the buttons that act on them.
    void EnableDlsDetail(BOOL bEnable);

    afx_msg void OnWmmSetup();
    afx_msg void OnApsdEnable();
    afx_msg void OnPowerSaveSetting();
    afx_msg void OnDlsEnable();
    afx_msg void OnDlsSetup();
    afx_msg void OnDlsTearDown();
    afx_msg void OnDlsListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDlsListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// One byte of a MAC from its edit's text: one or two hexadecimal digits. FALSE for an empty
// text or any other character.
BOOL MacByteFromText(LPCSTR pszText, BYTE* pByte);
