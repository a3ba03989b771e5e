// The Advanced page's "HT Physical Mode" group on 802.11n adapters: the transmit settings, their
// "TransmitSetting" word and the request that sends them.

#include "client/radio/AdvancePage.h"

#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "client/access/OidAccessor.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ClientGlobals.h"
#include "resources/TessarynUI/TessarynUIStrings.h"

#include <cstdlib>
#include <cstring>

namespace
{

#define MCS_AUTO 33
#define HT_PHY_MODE 2 // what the page always sends as the PHY mode

// The group but for the "Auto" bandwidth radio, which has its own rule.
const int kHtControls[] = {IDC_ADV_HT_GROUP,      IDC_ADV_HT_BW_LABEL, IDC_ADV_HT_GI_LABEL,
                           IDC_ADV_HT_STBC_LABEL, IDC_ADV_HT_BW_20,    IDC_ADV_HT_GI_LONG,
                           IDC_ADV_HT_STBC_NONE,  IDC_ADV_HT_GI_AUTO,  IDC_ADV_HT_STBC_AUTO,
                           IDC_ADV_HT_MCS_LABEL,  IDC_ADV_HT_MCS,      IDC_ADV_HT_MODE_LABEL,
                           IDC_ADV_HT_MM,         IDC_ADV_HT_GF};

// What the first variant does not offer: all but the MCS and the "Auto" bandwidth.
const int kFullVariantControls[] = {
    IDC_ADV_HT_BW_LABEL,   IDC_ADV_HT_GI_LABEL,  IDC_ADV_HT_STBC_LABEL, IDC_ADV_HT_BW_20,
    IDC_ADV_HT_GI_LONG,    IDC_ADV_HT_STBC_NONE, IDC_ADV_HT_GI_AUTO,    IDC_ADV_HT_STBC_AUTO,
    IDC_ADV_HT_MODE_LABEL, IDC_ADV_HT_MM,        IDC_ADV_HT_GF};

DWORD Field(int nValue, int nBits, int nShift)
{
    return (static_cast<DWORD>(nValue) & ((1u << nBits) - 1)) << nShift;
}

int Bits(DWORD dwWord, int nBits, int nShift)
{
    return static_cast<int>((dwWord >> nShift) & ((1u << nBits) - 1));
}

} // namespace

BOOL Is40MhzAllowed(int nMode)
{
    if (nMode == 7 || nMode == 9)
        return g_bEepromBit8Clear;
    if (nMode == 8)
        return g_bEepromBit9Clear;
    return TRUE;
}

CString McsToText(int nMcs)
{
    if (nMcs == MCS_AUTO)
        return LoadText(IDS_NET_AUTO);
    CString strMcs;
    strMcs.Format("%d", nMcs);
    return strMcs;
}

int McsFromText(LPCSTR pszText)
{
    if (LoadText(IDS_NET_AUTO) == pszText)
        return MCS_AUTO;
    return atoi(pszText);
}

void ParseRegionChannelSpan(LPCSTR pszText, int* pnFirst, int* pnLast)
{
    CString strSpan = pszText;
    int nAfter = strSpan.Find('H');
    if (nAfter >= 0)
        strSpan = strSpan.Mid(nAfter + 1);
    int nDash = strSpan.Find('-');
    CString strFirst = nDash >= 0 ? strSpan.Left(nDash) : strSpan;
    strFirst.Trim();
    *pnFirst = atoi(strFirst);
    if (nDash < 0)
    {
        *pnLast = *pnFirst;
        return;
    }
    CString strLast = strSpan.Mid(nDash + 1);
    strLast.Trim();
    *pnLast = atoi(strLast);
}

void CAdvancePage::HideHtGroup()
{
    for (int nId : kHtControls)
        GetDlgItem(nId)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_ADV_HT_BW_AUTO)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_ADV_HT_RATE)->ShowWindow(SW_HIDE);
}

void CAdvancePage::ShowHtControls(BOOL bShow, int nVariant, int nMode)
{
    if (g_bHtSupported)
        bShow = TRUE;
    m_cbTxRate.EnableWindow(!bShow);
    for (int nId : kHtControls)
        GetDlgItem(nId)->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    CWnd* pBandwidthAuto = GetDlgItem(IDC_ADV_HT_BW_AUTO);
    if (!bShow)
    {
        pBandwidthAuto->ShowWindow(SW_HIDE);
        return;
    }
    BOOL b40MHz = Is40MhzAllowed(nMode);
    pBandwidthAuto->ShowWindow(SW_SHOW);
    pBandwidthAuto->EnableWindow(b40MHz);
    for (int nId : kFullVariantControls)
        GetDlgItem(nId)->EnableWindow(nVariant != 1);
    if (!b40MHz)
        m_nBandwidth = 0;
}

void CAdvancePage::FillMcsCombo(int nVariant, int nBandwidth, LPCSTR pszText)
{
    CString strText = pszText; // the page's own text may be what is passed
    m_cbMcs.ResetContent();
    CString strEntry;
    if (nVariant == 1)
    {
        // The rate-table indexes: 20 MHz rows, or 40 MHz ones.
        int nFirst = nBandwidth == 0 ? 0 : 5;
        int nLast = nBandwidth == 0 ? 4 : 14;
        for (int i = nFirst; i <= nLast; i++)
        {
            strEntry.Format("%d", i);
            m_cbMcs.AddString(strEntry);
        }
    }
    else if (nVariant == 2 || nVariant == 3)
    {
        m_cbMcs.AddString(LoadText(IDS_NET_AUTO));
        for (int i = 0; i <= 15; i++)
        {
            strEntry.Format("%d", i);
            m_cbMcs.AddString(strEntry);
        }
        m_cbMcs.AddString("32");
    }
    // Searched after entry 0, wrapping round: "1" finds "1" before "10".
    if (m_cbMcs.SelectString(0, strText) == CB_ERR && m_cbMcs.GetCount() > 0)
    {
        m_cbMcs.SetCurSel(0);
        m_cbMcs.GetLBText(0, m_strMcs);
    }
}

void CAdvancePage::UpdateTxRateLabel(int nVariant)
{
    CString strLabel;
    double dRate = 0;
    int nMcs = McsFromText(m_strMcs);
    if (nVariant == 1)
    {
        int nBandwidth = 0;
        if (m_HtTable.LookupRateByIndex(nMcs, dRate, nBandwidth))
            strLabel.Format("Tx Rate: %.2f Mbps \n BW:      %d      MHz", dRate, nBandwidth);
        else
            strLabel = "Tx Rate: Not Available";
    }
    else if (nVariant == 2 || nVariant == 3)
    {
        if (m_HtTable.LookupHtRate(m_nBandwidth, m_nGuardInterval, nMcs, dRate))
            strLabel.Format("Tx Rate: %.2f Mbps", dRate);
        else
            strLabel = "Tx Rate: Not Available";
    }
    SetDlgItemText(IDC_ADV_HT_RATE, strLabel);
}

BOOL CAdvancePage::IsHtCombinationValid()
{
    return !(IsDlgButtonChecked(IDC_ADV_HT_GF) == BST_CHECKED &&
             IsDlgButtonChecked(IDC_ADV_HT_GI_AUTO) == BST_CHECKED &&
             IsDlgButtonChecked(IDC_ADV_HT_STBC_AUTO) == BST_CHECKED);
}

void CAdvancePage::OnRegionBgChange()
{
    CString strRegion;
    m_cbRegionBg.GetWindowText(strRegion);
    int nFirst = 0;
    int nLast = 0;
    ParseRegionChannelSpan(strRegion, &nFirst, &nLast);
    if (!Is40MhzAllowed(G_enumWirelessMode))
    {
        m_nBandwidth = 0;
        return;
    }
    // 40 MHz needs room: a span of at least four channels.
    BOOL bWide = nLast - nFirst >= 4;
    CheckDlgButton(IDC_ADV_HT_BW_AUTO, bWide ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_ADV_HT_BW_20, bWide ? BST_UNCHECKED : BST_CHECKED);
}

void CAdvancePage::LoadTransmitSetting()
{
    char szValue[128] = {0};
    GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "TransmitSetting", szValue,
                sizeof(szValue));
    if (szValue[0] != '\0')
    {
        DWORD w = static_cast<DWORD>(strtoul(szValue, NULL, 10));
        m_nBandwidth = Is40MhzAllowed(G_enumWirelessMode) ? Bits(w, 1, 11) : 0;
        m_nGuardInterval = Bits(w, 1, 12);
        m_nStbc = Bits(w, 1, 13);
        m_nHtMode = Bits(w, 1, 16);
        m_nExtChannel = Bits(w, 2, 17);
        m_strMcs = McsToText(Bits(w, 7, 4));
        g_nHtTransmitSetting = w;
    }
    SendHtPhyMode();
}

DWORD CAdvancePage::BuildTransmitSetting() const
{
    return Field(G_enumWirelessMode, 4, 0) | Field(McsFromText(m_strMcs), 7, 4) |
           Field(m_nBandwidth, 1, 11) | Field(m_nGuardInterval, 1, 12) | Field(m_nStbc, 1, 13) |
           Field(HT_PHY_MODE, 2, 14) | Field(m_nHtMode, 1, 16) | Field(m_nExtChannel, 2, 17);
}

void CAdvancePage::SendHtPhyMode()
{
    // The extension-channel offset is the driver's: it comes back as the driver holds it.
    HtPhyModeRequest current;
    memset(&current, 0, sizeof(current));
    DWORD dwReturned = 0;
    OidQueryInformation(OID_HT_PHY_MODE, &current, sizeof(current), &dwReturned);

    HtPhyModeRequest request;
    memset(&request, 0, sizeof(request));
    request.WirelessMode = static_cast<DWORD>(G_enumWirelessMode);
    request.PhyMode = HT_PHY_MODE;
    request.HtMode = static_cast<BYTE>(m_nHtMode);
    request.ExtChannelOffset = current.ExtChannelOffset;
    request.Mcs = static_cast<BYTE>(McsFromText(m_strMcs));
    request.Bandwidth = static_cast<BYTE>(m_nBandwidth);
    request.Stbc = static_cast<BYTE>(m_nStbc);
    request.GuardInterval = static_cast<BYTE>(m_nGuardInterval);
    OidAccessor accessor;
    accessor.SetHtPhyMode(request);
}
