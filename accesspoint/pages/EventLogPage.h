#pragma once
// The "Event Log" page: the station events the monitor window collects, newest last, at most 100
// rows, each with its local time. New records are listed on each tick while the page is active;
// Clear forgets them all.

#include "accesspoint/monitor/ApEventLog.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

#define EVENT_LOG_MAX_ROWS 100

// "2026 / 12 / 11 - 07 : 05 : 09" of the record's time in local time.
CString EventTimeText(const FILETIME& ftTime);
// The message of an event: code 0 its text alone, 1 to 5 " <MAC> <text>", others empty.
CString EventMessageText(const ApEventRecord& record);

class CEventLogPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CEventLogPage)
public:
    CEventLogPage();
    virtual ~CEventLogPage();

    enum
    {
        IDD = IDD_EVENTLOG_PAGE
    };

    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();

protected:
    CListCtrl m_listEventLog;

    virtual void DoDataExchange(CDataExchange* pDX);

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClear();
    DECLARE_MESSAGE_MAP()
};
