#include "accesspoint/pages/WdsPage.h"

IMPLEMENT_DYNCREATE(CWdsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CWdsPage, CPropertyPage)
END_MESSAGE_MAP()

CWdsPage::CWdsPage() : CPropertyPage(CWdsPage::IDD, IDS_PAGE_WDS) {}

CWdsPage::~CWdsPage() {}
