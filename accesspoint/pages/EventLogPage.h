#pragma once
// The "Event Log" page: the station events the monitor window collects. Its controls come with the
// page's own work: until then it is an empty page of its template and caption.

#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

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

protected:
    DECLARE_MESSAGE_MAP()
};
