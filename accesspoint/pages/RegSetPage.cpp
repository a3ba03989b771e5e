#include "accesspoint/pages/RegSetPage.h"

#include "adapter/driver/DriverRequest.h"

#include <cstdlib>
#include <cstring>

// Only hexadecimal digits in the register edits.
#define HEX_DIGITS_MASK 0x40
#define ERROR_MIC_END_PERIOD 120000

namespace
{

// A hexadecimal text as a number; a text that is no number reads 0.
DWORD HexValue(const CString& strText)
{
    return static_cast<DWORD>(strtoul(strText, NULL, 16));
}

} // namespace

IMPLEMENT_DYNCREATE(CRegSetPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CRegSetPage, CPropertyPage)
ON_BN_CLICKED(IDC_REG_MAC_QUERY, OnMacQuery)
ON_BN_CLICKED(IDC_REG_MAC_SET, OnMacSet)
ON_BN_CLICKED(IDC_REG_EEPROM_QUERY, OnEepromQuery)
ON_BN_CLICKED(IDC_REG_EEPROM_SET, OnEepromSet)
ON_BN_CLICKED(IDC_REG_BBP_QUERY, OnBbpQuery)
ON_BN_CLICKED(IDC_REG_BBP_SET, OnBbpSet)
ON_BN_CLICKED(IDC_REG_RF_SET, OnRfSet)
ON_BN_CLICKED(IDC_REG_R17_QUERY, OnR17Query)
ON_BN_CLICKED(IDC_REG_R17_SET, OnR17Set)
ON_BN_CLICKED(IDC_REG_ERROR_MIC, OnErrorMic)
ON_WM_TIMER()
END_MESSAGE_MAP()

CRegSetPage::CRegSetPage()
    : CPropertyPage(CRegSetPage::IDD), m_strMacOffset("00000000"), m_strMacValue("00000000"),
      m_strEepromOffset("00000000"), m_strEepromValue("00000000"), m_strBbpValue("00"),
      m_strRfValue("00000000"), m_nBbpId(0), m_nR17Lower(0), m_nR17Upper(0), m_nR17Step(0),
      m_strR17Max("00"), m_nMicSeconds(0)
{
}

CRegSetPage::~CRegSetPage() {}

void CRegSetPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REG_MAC_OFFSET, m_editMacOffset);
    DDX_Control(pDX, IDC_REG_MAC_VALUE, m_editMacValue);
    DDX_Control(pDX, IDC_REG_EEPROM_OFFSET, m_editEepromOffset);
    DDX_Control(pDX, IDC_REG_EEPROM_VALUE, m_editEepromValue);
    DDX_Control(pDX, IDC_REG_BBP_VALUE, m_editBbpValue);
    DDX_Control(pDX, IDC_REG_RF_VALUE, m_editRfValue);
    DDX_Control(pDX, IDC_REG_R17_MAX, m_editR17Max);
    DDX_Text(pDX, IDC_REG_MAC_OFFSET, m_strMacOffset);
    DDV_MaxChars(pDX, m_strMacOffset, 8);
    DDX_Text(pDX, IDC_REG_MAC_VALUE, m_strMacValue);
    DDV_MaxChars(pDX, m_strMacValue, 8);
    DDX_Text(pDX, IDC_REG_EEPROM_OFFSET, m_strEepromOffset);
    DDV_MaxChars(pDX, m_strEepromOffset, 8);
    DDX_Text(pDX, IDC_REG_EEPROM_VALUE, m_strEepromValue);
    DDV_MaxChars(pDX, m_strEepromValue, 8);
    DDX_Text(pDX, IDC_REG_BBP_VALUE, m_strBbpValue);
    DDV_MaxChars(pDX, m_strBbpValue, 2);
    DDX_Text(pDX, IDC_REG_BBP_ID, m_nBbpId);
    DDV_MinMaxUInt(pDX, m_nBbpId, 0, 255);
    DDX_Text(pDX, IDC_REG_RF_VALUE, m_strRfValue);
    DDV_MaxChars(pDX, m_strRfValue, 8);
    DDX_Text(pDX, IDC_REG_R17_LOWER, m_nR17Lower);
    DDV_MinMaxUInt(pDX, m_nR17Lower, 0, 255);
    DDX_Text(pDX, IDC_REG_R17_UPPER, m_nR17Upper);
    DDV_MinMaxUInt(pDX, m_nR17Upper, 0, 255);
    DDX_Text(pDX, IDC_REG_R17_STEP, m_nR17Step);
    DDV_MinMaxUInt(pDX, m_nR17Step, 0, 255);
    DDX_Text(pDX, IDC_REG_R17_MAX, m_strR17Max);
    DDV_MaxChars(pDX, m_strR17Max, 2);
    DDX_Text(pDX, IDC_REG_MIC_SECONDS, m_nMicSeconds);
}

BOOL CRegSetPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CSmartEdit* apHexEdits[] = {&m_editMacOffset,   &m_editMacValue, &m_editEepromOffset,
                                &m_editEepromValue, &m_editBbpValue, &m_editRfValue,
                                &m_editR17Max};
    for (CSmartEdit* pEdit : apHexEdits)
        pEdit->SetCharMask(HEX_DIGITS_MASK);
    return TRUE;
}

DWORD CRegSetPage::QueryRegister(DWORD dwKind, DWORD dwOffset)
{
    ApRegisterRequest request = {dwKind, dwOffset, 0};
    DWORD dwBytes = 0;
    if (!OidQueryInformation(OID_AP_REGISTER, &request, sizeof(request), &dwBytes))
        return 0;
    return request.dwValue;
}

void CRegSetPage::SetRegister(DWORD dwKind, DWORD dwOffset, DWORD dwValue)
{
    ApRegisterRequest request = {dwKind, dwOffset, dwValue};
    DWORD dwBytes = 0;
    OidSetInformation(OID_AP_REGISTER, &request, sizeof(request), &dwBytes, 3);
}

void CRegSetPage::OnMacQuery()
{
    if (!UpdateData(TRUE))
        return;
    m_strMacValue.Format("%08X", QueryRegister(REG_KIND_MAC, HexValue(m_strMacOffset)));
    UpdateData(FALSE);
}

void CRegSetPage::OnMacSet()
{
    if (UpdateData(TRUE))
        SetRegister(REG_KIND_MAC, HexValue(m_strMacOffset), HexValue(m_strMacValue));
}

void CRegSetPage::OnEepromQuery()
{
    if (!UpdateData(TRUE))
        return;
    m_strEepromValue.Format("%08X", QueryRegister(REG_KIND_EEPROM, HexValue(m_strEepromOffset)));
    UpdateData(FALSE);
}

void CRegSetPage::OnEepromSet()
{
    if (UpdateData(TRUE))
        SetRegister(REG_KIND_EEPROM, HexValue(m_strEepromOffset), HexValue(m_strEepromValue));
}

void CRegSetPage::OnBbpQuery()
{
    if (!UpdateData(TRUE))
        return;
    m_strBbpValue.Format("%02X", QueryRegister(REG_KIND_BBP, m_nBbpId) & 0xFF);
    UpdateData(FALSE);
}

void CRegSetPage::OnBbpSet()
{
    if (UpdateData(TRUE))
        SetRegister(REG_KIND_BBP, m_nBbpId, HexValue(m_strBbpValue));
}

void CRegSetPage::OnRfSet()
{
    if (UpdateData(TRUE))
        SetRegister(REG_KIND_RF, 0, HexValue(m_strRfValue));
}

void CRegSetPage::OnR17Query()
{
    if (!UpdateData(TRUE))
        return;
    BYTE abRecord[4];
    memset(abRecord, 0, sizeof(abRecord));
    DWORD dwBytes = 0;
    if (!OidQueryInformation(OID_AP_R17, abRecord, sizeof(abRecord), &dwBytes))
        memset(abRecord, 0, sizeof(abRecord));
    m_nR17Lower = abRecord[0];
    m_nR17Upper = abRecord[1];
    m_nR17Step = abRecord[2];
    m_strR17Max.Format("%02x", abRecord[3]);
    UpdateData(FALSE);
}

void CRegSetPage::OnR17Set()
{
    if (!UpdateData(TRUE))
        return;
    BYTE abRecord[4] = {static_cast<BYTE>(m_nR17Lower), static_cast<BYTE>(m_nR17Upper),
                        static_cast<BYTE>(m_nR17Step), static_cast<BYTE>(HexValue(m_strR17Max))};
    DWORD dwBytes = 0;
    OidSetInformation(OID_AP_R17, abRecord, sizeof(abRecord), &dwBytes, 3);
}

// One wrong MIC now, one more when each timer fires: timer 1 after the typed seconds and a
// minute, timer 2 after two minutes, which also gives the button back.
void CRegSetPage::OnErrorMic()
{
    if (!UpdateData(TRUE))
        return;
    DWORD dwBytes = 0;
    OidSetInformation(OID_AP_ERROR_MIC, NULL, 0, &dwBytes, 1);
    SetTimer(ERROR_MIC_TIMER, m_nMicSeconds * 1000 + 60000, NULL);
    SetTimer(ERROR_MIC_END_TIMER, ERROR_MIC_END_PERIOD, NULL);
    GetDlgItem(IDC_REG_ERROR_MIC)->EnableWindow(FALSE);
}

void CRegSetPage::OnTimer(UINT_PTR nIDEvent)
{
    DWORD dwBytes = 0;
    OidSetInformation(OID_AP_ERROR_MIC, NULL, 0, &dwBytes, 1);
    if (nIDEvent == ERROR_MIC_TIMER)
    {
        KillTimer(ERROR_MIC_TIMER);
    }
    else if (nIDEvent == ERROR_MIC_END_TIMER)
    {
        KillTimer(ERROR_MIC_END_TIMER);
        GetDlgItem(IDC_REG_ERROR_MIC)->EnableWindow(TRUE);
    }
    CPropertyPage::OnTimer(nIDEvent);
}
