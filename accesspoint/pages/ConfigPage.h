#pragma once
// The "Config" page: the access point's radio and network settings and the way to its
// security dialog. Its controls come with the page's own work: until then it is an empty
// page of its template and caption.

#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

class CConfigPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CConfigPage)
public:
    CConfigPage();
    virtual ~CConfigPage();

    enum
    {
        IDD = IDD_CONFIG_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
