#include "adapter/status/AboutFields.h"

namespace
{

void ShowRow(CWnd& page, const AboutLayout& layout, int nField, BOOL bShow)
{
    page.GetDlgItem(layout.anLabel[nField])->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    page.GetDlgItem(layout.anValue[nField])->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

} // namespace

void CAboutFields::Exchange(CDataExchange* pDX, const AboutLayout& layout)
{
    for (int i = 0; i < ABOUT_LABELLED_COUNT; i++)
        DDX_Text(pDX, layout.anValue[i], m_strValue[i]);
    DDX_Text(pDX, layout.nLegal, m_strLegal);
    for (int i = 0; i < ABOUT_LABELLED_COUNT; i++)
        DDX_Text(pDX, layout.anLabel[i], m_strLabel[i]);
}

void CAboutFields::LoadLabels(const AboutLayout& layout)
{
    for (int i = 0; i < ABOUT_LABELLED_COUNT; i++)
        if (i != ABOUT_FIRMWARE)
            m_strLabel[i].LoadString(layout.anLabelText[i]);
}

void CAboutFields::ShowEeprom(CWnd& page, const AboutLayout& layout, BOOL bAnswered,
                              const BYTE* pAnswer)
{
    if (bAnswered)
        m_strValue[ABOUT_EEPROM].Format("%d.%d\n", pAnswer[0], pAnswer[1]);
    else
        ShowRow(page, layout, ABOUT_EEPROM, FALSE);
}

void CAboutFields::ShowFirmware(CWnd& page, const AboutLayout& layout, BOOL bAnswered,
                                const BYTE* pAnswer)
{
    if (bAnswered)
    {
        m_strLabel[ABOUT_FIRMWARE].LoadString(layout.anLabelText[ABOUT_FIRMWARE]);
        m_strValue[ABOUT_FIRMWARE].Format("%d.%d\n", pAnswer[1], pAnswer[0]);
    }
    ShowRow(page, layout, ABOUT_FIRMWARE, bAnswered);
}

void CAboutFields::ShowMac(const BYTE* pMac)
{
    m_strValue[ABOUT_MAC].Format("%02X-%02X-%02X-%02X-%02X-%02X", pMac[0], pMac[1], pMac[2],
                                 pMac[3], pMac[4], pMac[5]);
}
