#pragma once
// The Advanced page: radio settings of the adapter. The main sheet holds one and never shows
// it.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CAdvancePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CAdvancePage)
public:
    CAdvancePage();
    virtual ~CAdvancePage();

    enum
    {
        IDD = IDD_ADVANCE_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
