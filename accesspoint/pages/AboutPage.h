#pragma once
// The "About" page: the program's, driver's and adapter's versions and addresses. Its controls come
// with the page's own work: until then it is an empty page of its template and caption.

#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

class CAboutPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CAboutPage)
public:
    CAboutPage();
    virtual ~CAboutPage();

    enum
    {
        IDD = IDD_ABOUT_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
