#pragma once
// The engineering page "Setting Register": the adapter's registers. The sheet holds one and
// never shows it. Its controls come with the page's own work: until then it is an empty
// page of its template and caption.

#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

class CRegSetPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CRegSetPage)
public:
    CRegSetPage();
    virtual ~CRegSetPage();

    enum
    {
        IDD = IDD_REGSET_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
