#pragma once
// The configuration window of TessarynUI: a modeless sheet owned by the monitor window. It
// shows Profile, Link Status, Site Survey, Statistics and About, opens on Site Survey, and its
// OK button closes it as Cancel does. Help opens the help file on a worker thread.

#include "client/profiles/ProfilePage.h"
#include "client/profiles/SysConfigPage.h"
#include "client/radio/AdvancePage.h"
#include "client/radio/BlockAck.h"
#include "client/radio/RegSetPage.h"
#include "client/status/AboutPage.h"
#include "client/status/LinkStatusPage.h"
#include "client/status/SiteSurvPage.h"
#include "client/status/StatisticPage.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CVnPropSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CVnPropSheet)
public:
    CVnPropSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    CVnPropSheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CVnPropSheet();

    // Members in construction order (destroyed in reverse). Only five of them are pages of
    // the sheet; the others are held for their own users.
    CProfilePage m_ProfilePage;
    CSiteSurvPage m_SiteSurvPage;
    CString m_strText;
    CAboutPage m_AboutPage;
    CLinkStatusPage m_LinkStatusPage;
    CStatisticPage m_StatisticPage;
    CSysConfigPage m_SysConfigPage;
    CRegSetPage m_RegSetPage;
    CAdvancePage m_AdvancePage;
    CBlockAck m_BlockAck;

    virtual BOOL OnInitDialog();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Ends the Profile page's profile editor when it is open (the monitor window is about to
    // delete the sheet under it).
    void CloseModalChild();
    // Takes the 802.11n page out of the sheet on adapters without 802.11n.
    void RemoveHtPageIfUnsupported();

    static UINT HelpThreadProc(LPVOID pParam);

protected:
    void AddSheetPages();
    // Closes the sheet as its Cancel button does: no page receives an apply.
    void CloseAsCancel();

    afx_msg void OnHelp();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnOK();
    DECLARE_MESSAGE_MAP()
};
