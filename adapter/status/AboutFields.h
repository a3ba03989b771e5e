#pragma once
// What both programs' About pages show alike: the utility's and the driver file's versions and
// dates, the copyright notice, the EEPROM and firmware versions, the MAC address and the three
// addresses, each value beside its label. Each page names its own controls and texts, and asks
// the driver its own way.

#include "platform/Windows.h"

enum
{
    ABOUT_UTILITY_VERSION,
    ABOUT_UTILITY_DATE,
    ABOUT_DRIVER_VERSION,
    ABOUT_DRIVER_DATE,
    ABOUT_EEPROM,
    ABOUT_FIRMWARE,
    ABOUT_MAC,
    ABOUT_IP,
    ABOUT_MASK,
    ABOUT_GATEWAY,
    ABOUT_LABELLED_COUNT
};

struct AboutLayout
{
    int anValue[ABOUT_LABELLED_COUNT];
    int anLabel[ABOUT_LABELLED_COUNT];
    UINT anLabelText[ABOUT_LABELLED_COUNT];
    int nLegal; // the copyright notice, without a label
};

class CAboutFields
{
public:
    CString m_strValue[ABOUT_LABELLED_COUNT];
    CString m_strLabel[ABOUT_LABELLED_COUNT];
    CString m_strLegal;

    void Exchange(CDataExchange* pDX, const AboutLayout& layout);
    // Every label but the firmware's, which only a firmware answer brings.
    void LoadLabels(const AboutLayout& layout);
    // "%d.%d\n" of bytes 0 and 1; a failed query hides the row instead.
    void ShowEeprom(CWnd& page, const AboutLayout& layout, BOOL bAnswered, const BYTE* pAnswer);
    // "%d.%d\n" of bytes 1 and 0 with its label, the row shown; a failed query hides it.
    void ShowFirmware(CWnd& page, const AboutLayout& layout, BOOL bAnswered, const BYTE* pAnswer);
    // "%02X-%02X-%02X-%02X-%02X-%02X"
    void ShowMac(const BYTE* pMac);
    // The three address texts, for the lookup to fill.
    CString& Ip() { return m_strValue[ABOUT_IP]; }
    CString& Mask() { return m_strValue[ABOUT_MASK]; }
    CString& Gateway() { return m_strValue[ABOUT_GATEWAY]; }
};
