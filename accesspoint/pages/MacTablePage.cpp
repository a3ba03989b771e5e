#include "accesspoint/pages/MacTablePage.h"

IMPLEMENT_DYNCREATE(CMacTablePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CMacTablePage, CPropertyPage)
END_MESSAGE_MAP()

CMacTablePage::CMacTablePage() : CPropertyPage(CMacTablePage::IDD, IDS_PAGE_MAC_TABLE) {}

CMacTablePage::~CMacTablePage() {}
