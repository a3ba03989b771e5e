#include "client/radio/AdvancePage.h"

IMPLEMENT_DYNCREATE(CAdvancePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CAdvancePage, CPropertyPage)
END_MESSAGE_MAP()

CAdvancePage::CAdvancePage() : CPropertyPage(CAdvancePage::IDD, IDS_PAGE_ADVANCED) {}

CAdvancePage::~CAdvancePage() {}
