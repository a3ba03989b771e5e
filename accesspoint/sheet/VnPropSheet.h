#pragma once
// The configuration window of TessarynAp: a modeless sheet owned by the monitor window. It shows
// Config, Access Control, Mac Table, Event Log, Statistics and About; the 11n page comes and
// goes with "bCheckBuild" on 802.11n adapters, and the WDS page never stays. OK stands in
// Cancel's place and closes the sheet; Help opens the help file.

#include "accesspoint/pages/AboutPage.h"
#include "accesspoint/pages/AccessControlPage.h"
#include "accesspoint/pages/BlockAck.h"
#include "accesspoint/pages/ConfigPage.h"
#include "accesspoint/pages/EventLogPage.h"
#include "accesspoint/pages/LinkStatusPage.h"
#include "accesspoint/pages/MacTablePage.h"
#include "accesspoint/pages/RegSetPage.h"
#include "accesspoint/pages/StatisticPage.h"
#include "accesspoint/pages/WdsPage.h"
#include "platform/Windows.h"

class CVnPropSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CVnPropSheet)
public:
    CVnPropSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CVnPropSheet();

    // Members in construction order (destroyed in reverse). The link-status and register pages
    // are held and never shown.
    CBlockAck m_BlockAck;
    CAboutPage m_AboutPage;
    CConfigPage m_ConfigPage;
    CAccessControlPage m_AccessControlPage;
    CWdsPage m_WdsPage;
    CMacTablePage m_MacTablePage;
    CEventLogPage m_EventLogPage;
    CStatisticPage m_StatisticPage;
    CRegSetPage m_RegSetPage;
    CLinkStatusPage m_LinkStatusPage;

    virtual BOOL OnInitDialog();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // The 11n page on 802.11n adapters while g_nCheckBuild is 1; out of the sheet otherwise.
    void UpdateHtPage();
    // The WDS page out of the sheet unless g_bWdsAllowed; on a PCI adapter it is added and
    // taken out again.
    void UpdateWdsPage();

protected:
    // The first page of that class among the sheet's pages; -1 when there is none.
    int FindPage(CRuntimeClass* pClass) const;
    void CloseAsCancel();

    afx_msg void OnHelp();
    afx_msg void OnOK();
    DECLARE_MESSAGE_MAP()
};
