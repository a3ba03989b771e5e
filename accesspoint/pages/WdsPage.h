#pragma once
// The "WDS" page: links to other access points. The sheet holds it but never keeps it
// among its pages. Its controls come with the page's own work: until then it is an empty
// page of its template and caption.

#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

class CWdsPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CWdsPage)
public:
    CWdsPage();
    virtual ~CWdsPage();

    enum
    {
        IDD = IDD_WDS_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
