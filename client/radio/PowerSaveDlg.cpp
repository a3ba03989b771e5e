#include "client/radio/PowerSaveDlg.h"

#include "adapter/driver/DriverRequest.h"
#include "adapter/registry/RegistryCopy.h"
#include "client/access/AdapterState.h"
#include "client/app/SettingsStore.h"
#include "client/radio/QosSettings.h"
#include "client/radio/RadioReconnect.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

namespace
{

struct AccessCategory
{
    LPCSTR pszName;
    LPCSTR pszSetFailure;
    int CPOWERSAVEDLG::*pbMember;
    DWORD dwBit; // in the APSD word
};

const AccessCategory kCategories[] = {
    {"APSDAC_BE", "RegSetValueEx REGSTR_APSDAC_BE failed\n", &CPOWERSAVEDLG::m_bAcBe, 0x02},
    {"APSDAC_BK", "RegSetValueEx REGSTR_APSDAC_BK failed\n", &CPOWERSAVEDLG::m_bAcBk, 0x04},
    {"APSDAC_VI", "RegSetValueEx REGSTR_APSDAC_VI failed\n", &CPOWERSAVEDLG::m_bAcVi, 0x08},
    {"APSDAC_VO", "RegSetValueEx REGSTR_APSDAC_VO failed\n", &CPOWERSAVEDLG::m_bAcVo, 0x10},
};

} // namespace

BEGIN_MESSAGE_MAP(CPOWERSAVEDLG, CDialog)
ON_BN_CLICKED(IDC_PS_APPLY, OnApply)
END_MESSAGE_MAP()

CPOWERSAVEDLG::CPOWERSAVEDLG(CWnd* pParent)
    : CDialog(CPOWERSAVEDLG::IDD, pParent), m_bAcBe(0), m_bAcBk(0), m_bAcVi(0), m_bAcVo(0)
{
}

CPOWERSAVEDLG::~CPOWERSAVEDLG() {}

void CPOWERSAVEDLG::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PS_AC_BE, m_bAcBe);
    DDX_Check(pDX, IDC_PS_AC_BK, m_bAcBk);
    DDX_Check(pDX, IDC_PS_AC_VI, m_bAcVi);
    DDX_Check(pDX, IDC_PS_AC_VO, m_bAcVo);
}

BOOL CPOWERSAVEDLG::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadText(IDS_POWERSAVE_CAPTION));
    SetDlgItemText(IDC_PS_APPLY, LoadText(IDS_APPLY));
    DWORD dwApsd = 0;
    DWORD dwReturned = 0;
    OidQueryInformation(OID_APSD, &dwApsd, sizeof(dwApsd), &dwReturned);
    for (const AccessCategory& ac : kCategories)
        this->*ac.pbMember = (dwApsd & ac.dwBit) != 0 ? 1 : 0;
    UpdateData(FALSE);
    return TRUE;
}

void CPOWERSAVEDLG::OnApply()
{
    UpdateData(TRUE);
    DWORD dwApsd = 1;
    for (const AccessCategory& ac : kCategories)
    {
        if (this->*ac.pbMember)
            dwApsd += ac.dwBit;
    }
    DWORD dwReturned = 0;
    OidSetInformation(OID_APSD, &dwApsd, sizeof(dwApsd), &dwReturned, 3);

    CString strValue;
    for (const AccessCategory& ac : kCategories)
    {
        strValue.Format("%d", this->*ac.pbMember);
        SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", ac.pszName, strValue);
    }
    HKEY hKey = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS)
        ReportRegistryFailure("RegOpenKeyEx REGSTR_APSD_CAPABLE '%s' failed\n", g_strDriverKey);
    else
    {
        for (const AccessCategory& ac : kCategories)
        {
            strValue.Format("%d", this->*ac.pbMember);
            if (SetDriverText(hKey, ac.pszName, strValue) != ERROR_SUCCESS)
                ReportRegistryFailure(ac.pszSetFailure, strValue);
        }
        RegCloseKey(hKey);
    }

    ReconnectAndRescan();
    EndDialog(IDOK);
}
