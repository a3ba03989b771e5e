#include "client/profiles/AuthSecuPage.h"

#include "client/profiles/ProfileSheet.h"

IMPLEMENT_DYNCREATE(CAuthSecuPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CAuthSecuPage, CPropertyPage)
ON_AUTHSECU_FORM_NOTIFICATIONS()
ON_BN_CLICKED(IDC_AS_USE_8021X_CHECK, OnUse8021xCheck)
END_MESSAGE_MAP()

CAuthSecuPage::CAuthSecuPage() : CAuthSecuFormT<CPropertyPage>(CAuthSecuPage::IDD) {}

CAuthSecuPage::~CAuthSecuPage() {}

void CAuthSecuPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    ExchangeAuthControls(pDX);
}

BOOL CAuthSecuPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    InitAuthControls();
    return TRUE;
}

BOOL CAuthSecuPage::OnSetActive()
{
    RefreshAuthControls();
    return CPropertyPage::OnSetActive();
}

void CAuthSecuPage::OnOK()
{
    CPropertyPage::OnOK();
}

BOOL CAuthSecuPage::OnApply()
{
    CPropertySheet* pSheet = GetSheet();
    if (pSheet == NULL || !pSheet->IsKindOf(RUNTIME_CLASS(CProfileSheet)))
        return FALSE;
    CProfileSheet* pProfileSheet = static_cast<CProfileSheet*>(pSheet);
    if (!pProfileSheet->m_bSaved && !pProfileSheet->ApplyProfile())
        return FALSE;
    OnOK();
    return TRUE;
}
