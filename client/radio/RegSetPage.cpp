#include "client/radio/RegSetPage.h"

#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "client/access/OidAccessor.h"

#include <cstdlib>
#include <cstring>

namespace
{

#define REG_KIND_MAC 0
#define REG_KIND_BBP 1
#define REG_KIND_EEPROM 3
#define OID_R17_TUNING 0x0D710109 // lower bound, upper bound, step, maximum
#define OID_RF_REGISTERS 0x0D710120
#define OID_BBP_TUNING 0x0D710121

#pragma pack(push, 1)
struct RfRequest
{
    DWORD R1;
    DWORD R2;
    DWORD R3;
    DWORD R4;
    DWORD Tuning;
};
#pragma pack(pop)
static_assert(sizeof(RfRequest) == 20);

const int kHexEdits[8] = {IDC_REG_RF_R4,     IDC_REG_RF_R3,     IDC_REG_RF_R2,
                          IDC_REG_RF_R1,     IDC_REG_R17_MAX,   IDC_REG_BBP_VALUE,
                          IDC_REG_MAC_VALUE, IDC_REG_MAC_OFFSET};

// What a PCI adapter cannot change.
const int kRfControls[] = {IDC_REG_RF_GROUP,    IDC_REG_RF_R1_LABEL, IDC_REG_RF_R2_LABEL,
                           IDC_REG_RF_R3_LABEL, IDC_REG_RF_R4_LABEL, IDC_REG_RF_HEX_LABEL,
                           IDC_REG_RF_TUNING,   IDC_REG_RF_SET,      IDC_REG_RF_R1,
                           IDC_REG_RF_R2,       IDC_REG_RF_R3,       IDC_REG_RF_R4};

// Base 16; a text that is no number gives 0.
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
ON_BN_CLICKED(IDC_REG_BBP_TUNING_SET, OnBbpTuningSet)
ON_BN_CLICKED(IDC_REG_RF_SET, OnRfSet)
ON_BN_CLICKED(IDC_REG_R17_QUERY, OnR17Query)
ON_BN_CLICKED(IDC_REG_R17_SET, OnR17Set)
END_MESSAGE_MAP()

CRegSetPage::CRegSetPage()
    : CPropertyPage(CRegSetPage::IDD), m_strMacOffset("00000000"), m_strMacValue("00000000"),
      m_strEepromOffset("00000000"), m_strEepromValue("00000000"), m_strBbpValue("00"), m_nBbpId(0),
      m_nR17Lower(0), m_nR17Upper(0), m_strR17Max("00"), m_nR17Step(0), m_strRfR1("00000000"),
      m_strRfR2("00000000"), m_strRfR3("00000000"), m_strRfR4("00000000"), m_bRfTuning(1),
      m_bBbpTuning(1)
{
}

CRegSetPage::~CRegSetPage() {}

void CRegSetPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    for (int i = 0; i < 8; i++)
        DDX_Control(pDX, kHexEdits[i], m_edHex[i]);
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
    DDX_Text(pDX, IDC_REG_R17_LOWER, m_nR17Lower);
    DDV_MinMaxUInt(pDX, m_nR17Lower, 0, 255);
    DDX_Text(pDX, IDC_REG_R17_UPPER, m_nR17Upper);
    DDV_MinMaxUInt(pDX, m_nR17Upper, 0, 255);
    DDX_Text(pDX, IDC_REG_R17_MAX, m_strR17Max);
    DDV_MaxChars(pDX, m_strR17Max, 2);
    DDX_Text(pDX, IDC_REG_R17_STEP, m_nR17Step);
    DDV_MinMaxUInt(pDX, m_nR17Step, 0, 255);
    DDX_Text(pDX, IDC_REG_RF_R1, m_strRfR1);
    DDV_MaxChars(pDX, m_strRfR1, 8);
    DDX_Text(pDX, IDC_REG_RF_R2, m_strRfR2);
    DDV_MaxChars(pDX, m_strRfR2, 8);
    DDX_Text(pDX, IDC_REG_RF_R3, m_strRfR3);
    DDV_MaxChars(pDX, m_strRfR3, 8);
    DDX_Text(pDX, IDC_REG_RF_R4, m_strRfR4);
    DDV_MaxChars(pDX, m_strRfR4, 8);
    DDX_Check(pDX, IDC_REG_RF_TUNING, m_bRfTuning);
    DDX_Check(pDX, IDC_REG_BBP_TUNING, m_bBbpTuning);
}

BOOL CRegSetPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (CSmartEdit& edit : m_edHex)
        edit.SetCharMask(SMARTEDIT_MASK_HEX);
    // The RF synthesizer is reachable on USB adapters only.
    if (!g_bUsbAdapter)
    {
        for (int nId : kRfControls)
            GetDlgItem(nId)->EnableWindow(FALSE);
    }
    return TRUE;
}

DWORD CRegSetPage::QueryRegister(DWORD dwKind, DWORD dwAddress)
{
    RegisterAccessRequest request;
    request.Kind = dwKind;
    request.Address = dwAddress;
    request.Value = 0;
    DWORD dwReturned = 0;
    if (!OidQueryInformation(OID_REGISTER, &request, sizeof(request), &dwReturned))
        request.Value = 0;
    return request.Value;
}

void CRegSetPage::ShowRegister(DWORD dwKind, DWORD dwAddress, LPCSTR pszFormat, DWORD dwMask,
                               CString& strValue)
{
    strValue.Format(pszFormat, QueryRegister(dwKind, dwAddress) & dwMask);
    UpdateData(FALSE);
}

void CRegSetPage::WriteRegister(DWORD dwKind, DWORD dwAddress, const CString& strValue)
{
    OidAccessor accessor;
    accessor.SetRegister(dwKind, dwAddress, HexValue(strValue));
}

// Each handler takes the controls' data first: the address it reads is the one shown.
void CRegSetPage::OnMacQuery()
{
    if (UpdateData(TRUE))
        ShowRegister(REG_KIND_MAC, HexValue(m_strMacOffset), "%08X", 0xFFFFFFFF, m_strMacValue);
}

void CRegSetPage::OnMacSet()
{
    if (UpdateData(TRUE))
        WriteRegister(REG_KIND_MAC, HexValue(m_strMacOffset), m_strMacValue);
}

void CRegSetPage::OnEepromQuery()
{
    if (UpdateData(TRUE))
        ShowRegister(REG_KIND_EEPROM, HexValue(m_strEepromOffset), "%08X", 0xFFFFFFFF,
                     m_strEepromValue);
}

void CRegSetPage::OnEepromSet()
{
    if (UpdateData(TRUE))
        WriteRegister(REG_KIND_EEPROM, HexValue(m_strEepromOffset), m_strEepromValue);
}

void CRegSetPage::OnBbpQuery()
{
    if (UpdateData(TRUE))
        ShowRegister(REG_KIND_BBP, m_nBbpId, "%02X", 0xFF, m_strBbpValue);
}

void CRegSetPage::OnBbpSet()
{
    if (UpdateData(TRUE))
        WriteRegister(REG_KIND_BBP, m_nBbpId, m_strBbpValue);
}

void CRegSetPage::OnBbpTuningSet()
{
    if (!UpdateData(TRUE))
        return;
    DWORD dwTuning = static_cast<DWORD>(m_bBbpTuning);
    DWORD dwReturned = 0;
    OidSetInformation(OID_BBP_TUNING, &dwTuning, sizeof(dwTuning), &dwReturned, 3);
}

void CRegSetPage::OnRfSet()
{
    if (!UpdateData(TRUE))
        return;
    RfRequest request;
    request.R1 = HexValue(m_strRfR1);
    request.R2 = HexValue(m_strRfR2);
    request.R3 = HexValue(m_strRfR3);
    request.R4 = HexValue(m_strRfR4);
    request.Tuning = static_cast<DWORD>(m_bRfTuning);
    DWORD dwReturned = 0;
    OidSetInformation(OID_RF_REGISTERS, &request, sizeof(request), &dwReturned, 3);
}

void CRegSetPage::OnR17Query()
{
    if (!UpdateData(TRUE))
        return;
    BYTE abRecord[4] = {0};
    DWORD dwReturned = 0;
    OidQueryInformation(OID_R17_TUNING, abRecord, sizeof(abRecord), &dwReturned);
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
    DWORD dwReturned = 0;
    OidSetInformation(OID_R17_TUNING, abRecord, sizeof(abRecord), &dwReturned, 3);
}
