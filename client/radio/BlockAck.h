#pragma once
// The 802.11n page: aggregation and block-ack sessions. The main sheet holds one and never
// shows it; it leaves the sheet on adapters without 802.11n.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

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
