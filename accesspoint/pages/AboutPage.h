#pragma once
// The "About" page: versions and dates of the utility and of the adapter's driver file, the
// adapter's EEPROM and firmware versions, its MAC address, and its IP address, mask and gateway
// (refreshed every five seconds while the page is shown). Its button opens the vendor's web
// address in the browser.

#include "adapter/status/AboutFields.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

// The address the web button shows and opens.
#define AP_WEB_SITE_ADDRESS "http://www.tessaryn.example/"

class CAboutPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CAboutPage)
public:
    CAboutPage();
    virtual ~CAboutPage();

    enum
    {
        IDD = IDD_ABOUT_PAGE
    };

    CAboutFields m_Fields;
    BYTE m_abCardMac[6];
    UINT_PTR m_nTimerId;

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();

    // The driver file of the adapter for this system: the system folder, then "\drivers\" and the
    // family's third name (Windows XP and later), "\drivers\" and the second (2000), or "\" and
    // the first (98 and Me); empty when there is none to read.
    static CString DriverFilePath();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    void ReadDriverVersion();
    void RefreshAddressInfo();

    afx_msg void OnWebLink();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
