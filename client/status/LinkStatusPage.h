#pragma once
// The Link Status page of the main sheet: the state and quality of the link.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

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
