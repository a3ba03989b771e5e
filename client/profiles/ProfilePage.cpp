#include "client/profiles/ProfilePage.h"

#include "resources/TessarynUI/TessarynUIStrings.h"

CPropertySheet* g_pProfileEditor = NULL;

IMPLEMENT_DYNCREATE(CProfilePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CProfilePage, CPropertyPage)
END_MESSAGE_MAP()

CProfilePage::CProfilePage() : CPropertyPage(CProfilePage::IDD, IDS_PAGE_PROFILE)
{
    g_pProfileEditor = NULL;
}

CProfilePage::~CProfilePage() {}
