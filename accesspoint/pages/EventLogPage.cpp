#include "accesspoint/pages/EventLogPage.h"

IMPLEMENT_DYNCREATE(CEventLogPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEventLogPage, CPropertyPage)
END_MESSAGE_MAP()

CEventLogPage::CEventLogPage() : CPropertyPage(CEventLogPage::IDD, IDS_PAGE_EVENT_LOG) {}

CEventLogPage::~CEventLogPage() {}
