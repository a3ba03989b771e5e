#pragma once
// The Statistics page of the main sheet: the frame counters of the link.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CStatisticPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CStatisticPage)
public:
    CStatisticPage();
    virtual ~CStatisticPage();

    enum
    {
        IDD = IDD_STATISTIC_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
