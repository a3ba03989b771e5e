#pragma once
// The engineering page "Setting Register": reads and writes the adapter's MAC, baseband (BBP),
// RF and EEPROM registers and the R17 false-CCA tuning through the driver, and makes the driver
// send frames with a wrong MIC to test the stations' countermeasures. The sheet holds one and
// never shows it.

#include "controls/SmartEdit.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

// {u32 kind, u32 offset or id, u32 value}; sent as 0x0DF10105.
#define OID_AP_REGISTER 0x0D710105
// Four bytes: lower bound, upper bound, step, maximum R17; sent as 0x0DF10109.
#define OID_AP_R17 0x0D710109
// No data; sent as 0x0DF10115.
#define OID_AP_ERROR_MIC 0x0D710115

#define REG_KIND_MAC 0
#define REG_KIND_BBP 1
#define REG_KIND_RF 2
#define REG_KIND_EEPROM 3

#define ERROR_MIC_TIMER 1
#define ERROR_MIC_END_TIMER 2

#pragma pack(push, 1)
struct ApRegisterRequest
{
    DWORD dwKind;
    DWORD dwOffset;
    DWORD dwValue;
};
#pragma pack(pop)
static_assert(sizeof(ApRegisterRequest) == 12);

class CRegSetPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CRegSetPage)
public:
    CRegSetPage();
    virtual ~CRegSetPage();

    enum
    {
        IDD = IDD_REGSET_PAGE
    };

    CSmartEdit m_editMacOffset;
    CSmartEdit m_editMacValue;
    CSmartEdit m_editEepromOffset;
    CSmartEdit m_editEepromValue;
    CSmartEdit m_editBbpValue;
    CSmartEdit m_editRfValue;
    CSmartEdit m_editR17Max;

    CString m_strMacOffset;
    CString m_strMacValue;
    CString m_strEepromOffset;
    CString m_strEepromValue;
    CString m_strBbpValue;
    CString m_strRfValue;
    UINT m_nBbpId;
    UINT m_nR17Lower;
    UINT m_nR17Upper;
    UINT m_nR17Step;
    CString m_strR17Max;
    UINT m_nMicSeconds;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    // The register's value; 0 when the driver did not answer.
    static DWORD QueryRegister(DWORD dwKind, DWORD dwOffset);
    static void SetRegister(DWORD dwKind, DWORD dwOffset, DWORD dwValue);

    afx_msg void OnMacQuery();
    afx_msg void OnMacSet();
    afx_msg void OnEepromQuery();
    afx_msg void OnEepromSet();
    afx_msg void OnBbpQuery();
    afx_msg void OnBbpSet();
    afx_msg void OnRfSet();
    afx_msg void OnR17Query();
    afx_msg void OnR17Set();
    afx_msg void OnErrorMic();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
