#include "client/profiles/SysConfigPage.h"
#include "client/profiles/AuthSecuPage.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynUI/resource.h"
#include "tests/client/profilepages/PageHost.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using platform::automation::SelectEntry;
using platform::automation::SetText;

class SysConfigPageTest : public profilepages::PageTest
{
protected:
    void Click(CWnd& page, int nID)
    {
        ::SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                       static_cast<LPARAM>(page.GetDlgItem(nID)->m_hWnd));
    }

    CSysConfigPage sys;
    CAuthSecuPage auth;
};

TEST_F(SysConfigPageTest, ShowsOnlyNameSsidNetworkTypeAndPower)
{
    Show({&sys});
    for (int nID : {IDC_SC_PROFILE_NAME_EDIT, IDC_SC_SSID_COMBO, IDC_SC_NETWORK_TYPE_COMBO,
                    IDC_SC_TX_POWER_COMBO})
        EXPECT_TRUE(Visible(sys, nID)) << nID;
    for (int nID : {IDC_SC_CHANNEL_COMBO, IDC_SC_PREAMBLE_COMBO, IDC_SC_RTS_EDIT,
                    IDC_SC_FRAG_SLIDER, IDC_SC_CAM_RADIO, IDC_SC_CAM_ON_AC_CHECK})
        EXPECT_FALSE(Visible(sys, nID)) << nID;
    EXPECT_EQ(Entries(sys.m_cbTxPower), (std::vector<std::string>{"Auto", "100 %", "75 %", "50 %",
                                                                  "25 %", "10 %", "Lowest"}));
    EXPECT_EQ(Entries(sys.m_cbNetworkType), (std::vector<std::string>{"Ad hoc", "Infrastructure"}));
    EXPECT_EQ(Selected(sys.m_cbNetworkType), "Infrastructure");
}

TEST_F(SysConfigPageTest, StoredIndexesWithoutAnEntryReadAsDefaults)
{
    sys.m_nTxPower = 9;
    sys.m_nNetworkType = 2;
    sys.m_nPreamble = 5;
    sys.m_nPowerSaveMode = 3;
    Show({&sys});
    ASSERT_TRUE(sys.UpdateData(TRUE));
    EXPECT_EQ(sys.m_nTxPower, 0);
    EXPECT_EQ(sys.m_nNetworkType, 1);
    EXPECT_EQ(sys.m_nPreamble, 0);
    EXPECT_EQ(sys.m_nPowerSaveMode, 0);
}

TEST_F(SysConfigPageTest, ChannelComboSkipsFortyMegahertzChannelsAndSelectsTheStoredOne)
{
    // Ad hoc A/B/G mixed, 5 GHz region 10: the list has 34, 38, 42 and 46, the combo not.
    g_nCountryRegion = 0x0A00;
    sys.m_nNetworkType = 0;
    sys.m_nAdhocMode = 4;
    sys.m_strChannel = "36";
    Show({&sys});
    std::vector<std::string> expected;
    for (int c = 1; c <= 11; c++)
        expected.push_back(std::to_string(c));
    for (const char* c : {"36", "40", "44", "48", "52", "56", "60", "64"})
        expected.push_back(c);
    EXPECT_EQ(Entries(sys.m_cbChannel), expected);
    EXPECT_EQ(Selected(sys.m_cbChannel), "36");

    for (const char* stored : {"-1", "99", "J12"})
    {
        sys.m_strChannel = stored;
        sys.FillChannelCombo();
        EXPECT_EQ(sys.m_cbChannel.GetCurSel(), 0) << stored;
    }
}

TEST_F(SysConfigPageTest, StoreSelectedChannelTakesEntryZeroInInfrastructure)
{
    sys.m_nNetworkType = 0;
    sys.m_strChannel = "6";
    Show({&sys});
    sys.StoreSelectedChannel();
    EXPECT_EQ(std::string(sys.m_strChannel), "6");

    sys.m_nNetworkType = 1;
    sys.StoreSelectedChannel();
    EXPECT_EQ(std::string(sys.m_strChannel), "1");

    // No channel to choose from: the stored one stays.
    g_nChipType = 2;
    sys.m_nNetworkType = 0;
    sys.m_strChannel = "11";
    sys.FillChannelCombo();
    ASSERT_EQ(sys.m_cbChannel.GetCount(), 0);
    sys.StoreSelectedChannel();
    EXPECT_EQ(std::string(sys.m_strChannel), "11");
}

TEST_F(SysConfigPageTest, NetworkTypeSetsPreambleAndTheSecurityPagesFlag)
{
    sys.m_nPreamble = 1;
    Show({&sys, &auth});
    // Infrastructure from the start: preamble off and back to "Auto".
    EXPECT_FALSE(Enabled(sys, IDC_SC_PREAMBLE_COMBO));
    EXPECT_FALSE(Enabled(sys, IDC_SC_PREAMBLE_LABEL));
    EXPECT_EQ(sys.m_nPreamble, 0);
    EXPECT_EQ(auth.m_bInfrastructure, 1);

    ASSERT_TRUE(SelectEntry(sys.m_hWnd, std::to_string(IDC_SC_NETWORK_TYPE_COMBO), "Ad hoc"));
    EXPECT_EQ(sys.m_nNetworkType, 0);
    EXPECT_TRUE(Enabled(sys, IDC_SC_PREAMBLE_COMBO));
    EXPECT_EQ(auth.m_bInfrastructure, 0);
    EXPECT_GT(sys.m_cbChannel.GetCount(), 0);

    ASSERT_TRUE(
        SelectEntry(sys.m_hWnd, std::to_string(IDC_SC_NETWORK_TYPE_COMBO), "Infrastructure"));
    EXPECT_EQ(auth.m_bInfrastructure, 1);
    EXPECT_FALSE(Enabled(sys, IDC_SC_PREAMBLE_COMBO));
}

TEST_F(SysConfigPageTest, ClearedThresholdChecksReportTheDefaults)
{
    sys.m_bUseRtsThreshold = 1;
    sys.m_nRtsThreshold = 500;
    sys.m_bUseFragThreshold = 1;
    sys.m_nFragThreshold = 1000;
    Show({&sys});
    ASSERT_TRUE(sys.UpdateData(TRUE));
    EXPECT_EQ(sys.m_nRtsThreshold, 500);
    EXPECT_EQ(sys.m_nFragThreshold, 1000);
    EXPECT_TRUE(Enabled(sys, IDC_SC_RTS_EDIT));

    // Whatever the boxes held, clearing the checks gives the defaults.
    ASSERT_TRUE(SetText(sys.m_hWnd, std::to_string(IDC_SC_RTS_EDIT), "800"));
    ASSERT_TRUE(SetText(sys.m_hWnd, std::to_string(IDC_SC_FRAG_EDIT), "700"));
    ::CheckDlgButton(sys.m_hWnd, IDC_SC_RTS_CHECK, BST_UNCHECKED);
    Click(sys, IDC_SC_RTS_CHECK);
    ::CheckDlgButton(sys.m_hWnd, IDC_SC_FRAG_CHECK, BST_UNCHECKED);
    Click(sys, IDC_SC_FRAG_CHECK);
    ASSERT_TRUE(sys.UpdateData(TRUE));
    EXPECT_EQ(sys.m_nRtsThreshold, 2347);
    EXPECT_EQ(sys.m_nFragThreshold, 2346);
    EXPECT_EQ(sys.m_sliderRtsThreshold.GetPos(), 2347);
    EXPECT_FALSE(Enabled(sys, IDC_SC_RTS_EDIT));
    EXPECT_FALSE(Enabled(sys, IDC_SC_FRAG_SLIDER));
}

// One scan-list entry without elements.
void PutEntry(std::vector<BYTE>& list, std::size_t& offset, const std::string& ssid,
              ULONG ssidLength, ULONG length = NDIS_WLAN_BSSID_EX_FIXED)
{
    NDIS_WLAN_BSSID_EX entry{};
    entry.Length = length;
    entry.Ssid.SsidLength = ssidLength;
    memcpy(entry.Ssid.Ssid, ssid.data(), ssid.size() < 32 ? ssid.size() : 32);
    memcpy(list.data() + offset, &entry, NDIS_WLAN_BSSID_EX_FIXED);
    offset += length < NDIS_WLAN_BSSID_EX_FIXED ? NDIS_WLAN_BSSID_EX_FIXED : length;
    ULONG count = 0;
    memcpy(&count, list.data(), sizeof(count));
    count++;
    memcpy(list.data(), &count, sizeof(count));
}

TEST_F(SysConfigPageTest, SsidComboListsTheScanBehindTheStoredSsid)
{
    std::vector<BYTE> list(BSSID_LIST_BYTES);
    std::size_t offset = 4;
    PutEntry(list, offset, "Harbor Guest", 12);
    PutEntry(list, offset, "HARBOR GUEST", 12);       // differs only in case
    PutEntry(list, offset, "Harbor", 6);              // a prefix of an entry already listed
    PutEntry(list, offset, "Office", 6);              // the stored SSID
    PutEntry(list, offset, std::string(32, 'L'), 40); // a length field past the SSID field
    PutEntry(list, offset, "Lobby", 5, 20);           // a broken entry ends the walk
    PutEntry(list, offset, "Never", 5);
    g_pBssidListCopy = list.data();

    sys.m_strSsid = "Office";
    Show({&sys});
    EXPECT_EQ(Entries(sys.m_cbSsid),
              (std::vector<std::string>{"Office", "Harbor Guest", std::string(32, 'L')}));
    CString text;
    sys.m_cbSsid.GetWindowText(text);
    EXPECT_EQ(std::string(text), "Office");
}

TEST_F(SysConfigPageTest, SsidComboWithoutAScanHoldsTheStoredSsid)
{
    g_pBssidListCopy = NULL;
    sys.m_strSsid = "Office";
    Show({&sys});
    EXPECT_EQ(Entries(sys.m_cbSsid), (std::vector<std::string>{"Office"}));
}

} // namespace
