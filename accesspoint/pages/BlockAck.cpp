#include "accesspoint/pages/BlockAck.h"

IMPLEMENT_DYNCREATE(CBlockAck, CPropertyPage)

BEGIN_MESSAGE_MAP(CBlockAck, CPropertyPage)
END_MESSAGE_MAP()

CBlockAck::CBlockAck() : CPropertyPage(CBlockAck::IDD, IDS_PAGE_11N) {}

CBlockAck::~CBlockAck() {}
