#pragma once
// The "Link Status" page. The sheet holds one and never shows it. Its controls come with the page's
// own work: until then it is an empty page of its template and caption.

#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

class CLinkStatusPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CLinkStatusPage)
public:
    CLinkStatusPage();
    virtual ~CLinkStatusPage();

    enum
    {
        IDD = IDD_LINKSTATUS_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
