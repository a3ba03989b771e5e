#pragma once
// The engineering page "Setting Register": the adapter's MAC and baseband registers, EEPROM
// words, the RF synthesizer registers, the R17 tuning record and the tuning switches, read and
// written through the driver as hexadecimal texts. The main sheet holds one and never shows it.

#include "controls/SmartEdit.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

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

    // Bound to R4, R3, R2, R1, the R17 maximum, the BBP value, the MAC value and offset.
    CSmartEdit m_edHex[8];
    CString m_strMacOffset;
    CString m_strMacValue;
    CString m_strEepromOffset;
    CString m_strEepromValue;
    CString m_strBbpValue;
    UINT m_nBbpId; // 0..255
    UINT m_nR17Lower;
    UINT m_nR17Upper;
    CString m_strR17Max;
    UINT m_nR17Step;
    CString m_strRfR1;
    CString m_strRfR2;
    CString m_strRfR3;
    CString m_strRfR4;
    int m_bRfTuning;
    int m_bBbpTuning;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    // The register's value as the driver answers it (0 when the query fails).
    DWORD QueryRegister(DWORD dwKind, DWORD dwAddress);
    // The register's value into its text (the bits of dwMask, in pszFormat), shown.
    void ShowRegister(DWORD dwKind, DWORD dwAddress, LPCSTR pszFormat, DWORD dwMask,
                      CString& strValue);
    // SetRegister with the value of a hexadecimal text.
    void WriteRegister(DWORD dwKind, DWORD dwAddress, const CString& strValue);

    afx_msg void OnMacQuery();
    afx_msg void OnMacSet();
    afx_msg void OnEepromQuery();
    afx_msg void OnEepromSet();
    afx_msg void OnBbpQuery();
    afx_msg void OnBbpSet();
    afx_msg void OnBbpTuningSet();
    afx_msg void OnRfSet();
    afx_msg void OnR17Query();
    afx_msg void OnR17Set();
    DECLARE_MESSAGE_MAP()
};
