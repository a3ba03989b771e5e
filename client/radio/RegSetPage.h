#pragma once
// The engineering page "Setting Register": the adapter's registers. The main sheet holds
// one and never shows it.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

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
