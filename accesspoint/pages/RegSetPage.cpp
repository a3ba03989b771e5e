#include "accesspoint/pages/RegSetPage.h"

IMPLEMENT_DYNCREATE(CRegSetPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CRegSetPage, CPropertyPage)
END_MESSAGE_MAP()

CRegSetPage::CRegSetPage() : CPropertyPage(CRegSetPage::IDD) {}

CRegSetPage::~CRegSetPage() {}
