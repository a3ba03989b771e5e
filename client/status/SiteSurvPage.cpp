#include "client/status/SiteSurvPage.h"

#include "resources/TessarynUI/TessarynUIStrings.h"

IMPLEMENT_DYNCREATE(CSiteSurvPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSiteSurvPage, CPropertyPage)
END_MESSAGE_MAP()

CSiteSurvPage::CSiteSurvPage() : CPropertyPage(CSiteSurvPage::IDD, IDS_PAGE_SITE_SURVEY) {}

CSiteSurvPage::~CSiteSurvPage() {}
