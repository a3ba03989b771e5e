#pragma once
// The "Statistics" page: the adapter's transmit and receive counters. Its controls come with the
// page's own work: until then it is an empty page of its template and caption.

#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

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
