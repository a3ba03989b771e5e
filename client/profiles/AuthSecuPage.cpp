#include "client/profiles/AuthSecuPage.h"

#include "client/profiles/ProfileSheet.h"

IMPLEMENT_DYNCREATE(CAuthSecuPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CAuthSecuPage, CPropertyPage)
ON_CBN_SELCHANGE(IDC_AS_AUTH_COMBO, OnAuthTypeChange)
ON_CBN_SELCHANGE(IDC_AS_ENCRYPT_COMBO, OnEncryptionChange)
ON_CBN_SELCHANGE(IDC_AS_KEY1_TYPE, OnWepKeyTypeChange)
ON_CBN_SELCHANGE(IDC_AS_KEY2_TYPE, OnWepKeyTypeChange)
ON_CBN_SELCHANGE(IDC_AS_KEY3_TYPE, OnWepKeyTypeChange)
ON_CBN_SELCHANGE(IDC_AS_KEY4_TYPE, OnWepKeyTypeChange)
ON_BN_CLICKED(IDC_AS_KEY1_RADIO, OnDefaultKeyChange)
ON_BN_CLICKED(IDC_AS_KEY2_RADIO, OnDefaultKeyChange)
ON_BN_CLICKED(IDC_AS_KEY3_RADIO, OnDefaultKeyChange)
ON_BN_CLICKED(IDC_AS_KEY4_RADIO, OnDefaultKeyChange)
ON_BN_CLICKED(IDC_AS_8021X_SETTING, On8021xSetting)
ON_BN_CLICKED(IDC_AS_ENABLE_8021X, OnEnable8021xButton)
ON_BN_CLICKED(IDC_AS_USE_8021X_CHECK, OnUse8021xCheck)
ON_BN_CLICKED(IDC_AS_SHOW_PASSWORD, OnShowPassword)
END_MESSAGE_MAP()

CAuthSecuPage::CAuthSecuPage() : CPropertyPage(CAuthSecuPage::IDD) {}

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
