#include "accesspoint/pages/LinkStatusPage.h"

IMPLEMENT_DYNCREATE(CLinkStatusPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CLinkStatusPage, CPropertyPage)
END_MESSAGE_MAP()

CLinkStatusPage::CLinkStatusPage() : CPropertyPage(CLinkStatusPage::IDD, IDS_PAGE_LINK_STATUS) {}

CLinkStatusPage::~CLinkStatusPage() {}
