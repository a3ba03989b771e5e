#include "client/profiles/SysConfigPage.h"

IMPLEMENT_DYNCREATE(CSysConfigPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSysConfigPage, CPropertyPage)
END_MESSAGE_MAP()

CSysConfigPage::CSysConfigPage() : CPropertyPage(CSysConfigPage::IDD) {}

CSysConfigPage::~CSysConfigPage() {}
