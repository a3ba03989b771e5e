#pragma once
// The About page of the main sheet: versions and addresses of the utility and the adapter.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

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
