#include "accesspoint/pages/ConfigPage.h"

IMPLEMENT_DYNCREATE(CConfigPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CConfigPage, CPropertyPage)
END_MESSAGE_MAP()

CConfigPage::CConfigPage() : CPropertyPage(CConfigPage::IDD) {}

CConfigPage::~CConfigPage() {}
