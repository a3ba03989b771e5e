#pragma once
// The Profile page of the main sheet: the connection profiles of the adapter.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CProfilePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CProfilePage)
public:
    CProfilePage();
    virtual ~CProfilePage();

    enum
    {
        IDD = IDD_PROFILE_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};

// The profile editor the Profile page opened last; NULL when none.
extern CPropertySheet* g_pProfileEditor;
