#pragma once
// The "11n Setting" page: 802.11n aggregation and block-ack sessions, shown on 802.11n
// adapters while "bCheckBuild" is 1. Its controls come with the page's own work: until then it is
// an empty page of its template and caption.

#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

class CBlockAck : public CPropertyPage
{
    DECLARE_DYNCREATE(CBlockAck)
public:
    CBlockAck();
    virtual ~CBlockAck();

    enum
    {
        IDD = IDD_BLOCKACK_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
