#include "accesspoint/pages/AboutPage.h"

IMPLEMENT_DYNCREATE(CAboutPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CAboutPage, CPropertyPage)
END_MESSAGE_MAP()

CAboutPage::CAboutPage() : CPropertyPage(CAboutPage::IDD, IDS_PAGE_ABOUT) {}

CAboutPage::~CAboutPage() {}
