#pragma once
// The About page of the main sheet: versions and dates of the utility and of the adapter's
// driver, the adapter's EEPROM and firmware versions, its MAC address, and its IP address,
// mask and gateway (refreshed every five seconds while the page is shown). Its button opens
// the web site in the browser.

#include "adapter/status/AboutFields.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

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

    // IP address, mask and gateway of the adapter whose MAC is m_abCardMac; empty when the
    // adapter list does not hold it.
    void RefreshAddressInfo();

    static UINT OpenWebSiteThread(LPVOID pParam);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    // The driver file of the adapter for this system, empty when there is none to read.
    static CString DriverFilePath();
    void ReadDriverVersion();

    afx_msg void OnWebLink();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The address the web link opens.
#define WEB_SITE_ADDRESS "http://www.tessaryn.example/"

// The last web-link worker started. It deletes itself when it ends, so this is only a record
// that one was started; nothing waits for it or reads through it.
extern CWinThread* g_pWebLinkThread;
