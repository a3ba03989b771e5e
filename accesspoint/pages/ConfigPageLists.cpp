// The Config page's lists that follow the wireless mode: the region controls, the transmit
// rates, the 802.11n group with its MCS list and rate text, the channels of the two regions and
// the 40 MHz extension channel of the selected one.

#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/pages/ConfigPage.h"
#include "accesspoint/pages/ConfigTrace.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/radio/JapaneseChannels.h"
#include "adapter/radio/RegionChannels.h"

#include <cstdlib>

namespace
{

const char* const kCckRates[] = {"1 Mbps", "2 Mbps", "5.5 Mbps", "11 Mbps"};
const char* const kOfdmRates[] = {"6 Mbps",  "9 Mbps",  "12 Mbps", "18 Mbps",
                                  "24 Mbps", "36 Mbps", "48 Mbps", "54 Mbps"};

// The MCS that "Auto" stands for.
const int kMcsAuto = 33;

// The 5 GHz channel pairs of a 40 MHz channel.
const int kFortyMhzPairs[][2] = {{36, 40},   {44, 48},   {52, 56},   {60, 64},
                                 {100, 104}, {108, 112}, {116, 120}, {124, 128},
                                 {132, 136}, {149, 153}, {157, 161}};

BOOL IsOfdmOnlyMode(int nMode)
{
    return nMode == 2 || nMode == 4 || nMode == 7 || nMode == 8 || nMode == 10;
}

int McsOfText(const CString& strMcs)
{
    return strMcs == "Auto" ? kMcsAuto : atoi(strMcs);
}

void AddNumber(CComboBox& combo, int nNumber)
{
    CString strText;
    strText.Format("%d", nNumber);
    combo.AddString(strText);
}

} // namespace

void CConfigPage::FillTransRateList(int nMode)
{
    m_cbTransRate.ResetContent();
    if (nMode == 6)
        return;
    m_cbTransRate.AddString("Auto");
    if (!IsOfdmOnlyMode(nMode))
    {
        for (const char* pszRate : kCckRates)
            m_cbTransRate.AddString(pszRate);
    }
    if (nMode != 1)
    {
        for (const char* pszRate : kOfdmRates)
            m_cbTransRate.AddString(pszRate);
    }
}

void CConfigPage::FillHtMcsList()
{
    m_cbHtMcs.ResetContent();
    if (g_nHtVariant == 1)
    {
        // One stream: the mixed mode's rates and the greenfield's, by the rate index table.
        int nFirst = m_nHtMode == 0 ? 0 : 5;
        int nLast = m_nHtMode == 0 ? 4 : 14;
        for (int nMcs = nFirst; nMcs <= nLast; nMcs++)
            AddNumber(m_cbHtMcs, nMcs);
        return;
    }
    m_cbHtMcs.AddString("Auto");
    for (int nMcs = 0; nMcs <= 15; nMcs++)
        AddNumber(m_cbHtMcs, nMcs);
    AddNumber(m_cbHtMcs, 32);
}

void CConfigPage::OnSelchangeWirelessMode()
{
    CString strMcs = m_strHtMcs;
    CString strExtChannel = m_strExtChannel;
    if (!UpdateData(TRUE))
        return;
    m_strHtMcs = strMcs;
    m_strExtChannel = strExtChannel;
    AppendConfigTrace("m_cszHT_MCS (Change Wireless Mode - > Test1) is '%s' \n", m_strHtMcs);

    // A list without a selection keeps the index it could not show.
    int nSel = m_cbTransRate.GetCurSel();
    if (nSel != CB_ERR)
        m_nTransRate = nSel;

    int nMode = CurrentWirelessMode();
    if (nMode == 2 || nMode == 8)
    {
        ShowControl(IDC_CONFIG_BG_REGION_LABEL, FALSE);
        ShowControl(IDC_CONFIG_BG_REGION_COMBO, FALSE);
        ShowControl(IDC_CONFIG_A_REGION_LABEL, TRUE);
        ShowControl(IDC_CONFIG_A_REGION_COMBO, TRUE);
    }
    else if (nMode == 3 || nMode == 5 || nMode == 10)
    {
        for (int nID : {IDC_CONFIG_BG_REGION_LABEL, IDC_CONFIG_BG_REGION_COMBO,
                        IDC_CONFIG_A_REGION_LABEL, IDC_CONFIG_A_REGION_COMBO})
            ShowControl(nID, TRUE);
    }
    else if (nMode != 6)
    {
        ShowControl(IDC_CONFIG_BG_REGION_LABEL, TRUE);
        ShowControl(IDC_CONFIG_BG_REGION_COMBO, TRUE);
        ShowControl(IDC_CONFIG_A_REGION_LABEL, FALSE);
        ShowControl(IDC_CONFIG_A_REGION_COMBO, FALSE);
    }

    FillTransRateList(nMode);
    if (nMode != 6 && !IsOfdmOnlyMode(nMode) && nMode != 1)
        EnableControl(IDC_CONFIG_BG_PROTECTION_COMBO, TRUE);

    ShowHtGroup(FALSE);
    if (g_bHtSupported && nMode >= 5 && nMode <= 10)
    {
        ShowHtGroup(TRUE);
        FillHtMcsList();
        int nMcs = m_cbHtMcs.FindStringExact(-1, m_strHtMcs);
        if (nMcs == CB_ERR && m_cbHtMcs.GetCount() > 0)
        {
            nMcs = 0;
            m_cbHtMcs.GetLBText(0, m_strHtMcs);
        }
        m_cbHtMcs.SetCurSel(nMcs);
        AppendConfigTrace("m_cszHT_MCS (Change Wireless Mode - > Test2) is '%s' \n", m_strHtMcs);
        RefreshTxRateText();
    }

    UpdateData(FALSE);
    RefillChannelList();
}

void CConfigPage::OnSelchangeCountryRegion()
{
    if (!ReadControls())
        return;
    RefillChannelList();
}

void CConfigPage::RefillChannelList()
{
    // "J8", "J12" and "J16" are listed by their numbers.
    CString strRemembered = StoredChannelFromText(m_strChannel);
    m_cbChannel.ResetContent();

    const ChannelRow& bg = BgRegionChannels(m_nCountryRegion);
    const ChannelRow& a = ARegionChannels(m_nCountryRegionABand);
    CDWordArray channels;
    int nMode = CurrentWirelessMode();
    switch (nMode)
    {
    case 3:
        AppendChannelRow(channels, bg);
        AppendChannelRow(channels, a);
        break;
    case 2:
        AppendChannelRow(channels, a);
        break;
    case 8:
        // 140 and 165 have no 40 MHz partner.
        for (int i = 0; i < a.nCount; i++)
        {
            if (m_nBandwidth == 1 && (a.anChannel[i] == 140 || a.anChannel[i] == 165))
                continue;
            channels.Add(a.anChannel[i]);
        }
        break;
    case 9:
    {
        AppendChannelRow(channels, bg);
        BOOL bFortyMhz = m_bAllowBw40 && g_bAllowBw40InBgBand && bg.nCount > 0 &&
                         bg.anChannel[bg.nCount - 1] - bg.anChannel[0] > 3;
        EnableControl(IDC_CONFIG_BW_40, bFortyMhz);
        if (!bFortyMhz && m_nBandwidth != 0)
        {
            m_nBandwidth = 0;
            CheckRadioButton(IDC_CONFIG_BW_20, IDC_CONFIG_BW_40, IDC_CONFIG_BW_20);
        }
        break;
    }
    default:
        AppendChannelRow(channels, bg);
        break;
    }
    for (INT_PTR i = 0; i < channels.GetSize(); i++)
        AddNumber(m_cbChannel, static_cast<int>(channels[i]));

    int nSel = m_cbChannel.FindStringExact(-1, strRemembered);
    if (nSel == CB_ERR)
        nSel = 0;
    m_cbChannel.SetCurSel(nSel);
    m_strChannel.Empty();
    if (m_cbChannel.GetCount() > 0)
        m_cbChannel.GetLBText(nSel, m_strChannel);
    RefillExtChannelList();
}

void CConfigPage::OnSelchangeChannel()
{
    int nSel = m_cbChannel.GetCurSel();
    if (nSel != CB_ERR)
        m_cbChannel.GetLBText(nSel, m_strChannel);
    RefillExtChannelList();
}

// The reads of the controls keep the extension-channel text as it was: the user's choice is
// taken here, when it is made.
void CConfigPage::OnSelchangeExtChannel()
{
    int nSel = m_cbExtChannel.GetCurSel();
    if (nSel != CB_ERR)
        m_cbExtChannel.GetLBText(nSel, m_strExtChannel);
}

void CConfigPage::RefillExtChannelList()
{
    CString strKept = m_strExtChannel;
    m_cbExtChannel.ResetContent();
    int nChannel = atoi(StoredChannelFromText(m_strChannel));
    if (nChannel > 35)
    {
        int nPartner = 0;
        for (const auto& pair : kFortyMhzPairs)
        {
            if (pair[0] == nChannel)
                nPartner = pair[1];
            else if (pair[1] == nChannel)
                nPartner = pair[0];
        }
        if (nPartner != 0)
            AddNumber(m_cbExtChannel, nPartner);
        else
            m_cbExtChannel.AddString("none");
    }
    else
    {
        for (int nCandidate : {nChannel - 4, nChannel + 4})
        {
            CString strCandidate;
            strCandidate.Format("%d", nCandidate);
            if (m_cbChannel.FindStringExact(-1, strCandidate) != CB_ERR)
                m_cbExtChannel.AddString(strCandidate);
        }
    }

    // The extension channel chosen before stays chosen while the list offers it.
    int nSel = m_cbExtChannel.FindStringExact(-1, strKept);
    if (nSel == CB_ERR)
        nSel = 0;
    m_cbExtChannel.SetCurSel(nSel);
    m_strExtChannel.Empty();
    if (m_cbExtChannel.GetCount() > 0)
        m_cbExtChannel.GetLBText(nSel, m_strExtChannel);
}

void CConfigPage::RefreshTxRateText()
{
    int nMcs = McsOfText(m_strHtMcs);
    CString strText = "Tx Rate: Not Available";
    double dRate = 0;
    if (g_nHtVariant == 1)
    {
        int nBandwidth = 0;
        if (m_HtTable.LookupRateByIndex(nMcs, dRate, nBandwidth))
            strText.Format("Tx Rate: %.2f Mbps \n BW:      %d      MHz", dRate, nBandwidth);
    }
    else if (m_HtTable.LookupHtRate(m_nBandwidth, m_nGuardInterval, nMcs, dRate))
        strText.Format("Tx Rate: %.2f Mbps", dRate);
    SetDlgItemText(IDC_CONFIG_TX_RATE_TEXT, strText);
}

void CConfigPage::OnHtSettingChange()
{
    if (!ReadControls())
        return;
    RefreshTxRateText();
}

void CConfigPage::OnBw20()
{
    if (!ReadControls())
        return;
    RefreshTxRateText();
    EnableControl(IDC_CONFIG_EXT_CHANNEL_LABEL, FALSE);
    EnableControl(IDC_CONFIG_EXT_CHANNEL_COMBO, FALSE);
}

void CConfigPage::OnBw40()
{
    if (!ReadControls())
        return;
    RefreshTxRateText();
    EnableControl(IDC_CONFIG_EXT_CHANNEL_LABEL, TRUE);
    EnableControl(IDC_CONFIG_EXT_CHANNEL_COMBO, TRUE);
    RefillChannelList();
}

void CConfigPage::OnAllowBw40()
{
    if (!ReadControls())
        return;
    if (m_bAllowBw40)
    {
        m_nBandwidth = 1;
        RefillChannelList();
    }
    else
        m_nBandwidth = 0;
    UpdateData(FALSE);
    RefreshTxRateText();
    EnableControl(IDC_CONFIG_EXT_CHANNEL_LABEL, TRUE);
    EnableControl(IDC_CONFIG_EXT_CHANNEL_COMBO, TRUE);
}
