#include "accesspoint/pages/StatisticPage.h"

IMPLEMENT_DYNCREATE(CStatisticPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CStatisticPage, CPropertyPage)
END_MESSAGE_MAP()

CStatisticPage::CStatisticPage() : CPropertyPage(CStatisticPage::IDD, IDS_PAGE_STATISTICS) {}

CStatisticPage::~CStatisticPage() {}
