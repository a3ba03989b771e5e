#include "accesspoint/pages/AccessControlPage.h"

IMPLEMENT_DYNCREATE(CAccessControlPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CAccessControlPage, CPropertyPage)
END_MESSAGE_MAP()

CAccessControlPage::CAccessControlPage()
    : CPropertyPage(CAccessControlPage::IDD, IDS_PAGE_ACCESS_CONTROL)
{
}

CAccessControlPage::~CAccessControlPage() {}
