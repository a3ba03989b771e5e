#pragma once
// The "Mac Table" page: the stations associated with the access point. Its controls come with the
// page's own work: until then it is an empty page of its template and caption.

#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

class CMacTablePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CMacTablePage)
public:
    CMacTablePage();
    virtual ~CMacTablePage();

    enum
    {
        IDD = IDD_MACTABLE_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
