#pragma once
// The Site Survey page of the main sheet: the networks of the last scan.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CSiteSurvPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CSiteSurvPage)
public:
    CSiteSurvPage();
    virtual ~CSiteSurvPage();

    enum
    {
        IDD = IDD_SITESURVEY_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
