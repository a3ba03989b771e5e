#pragma once
// The Link Status page in the main sheet of a running monitor window, on a fresh machine with a
// few open networks and the manual clock. Driver answers can be pinned and refused.

#include "adapter/radio/ChannelFrequencyTable.h"
#include "client/access/AdapterState.h"
#include "client/monitor/ClientGlobals.h"
#include "client/monitor/HideDlg.h"
#include "client/sheet/VnPropSheet.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/radio/Elements.h"
#include "machine/radio/RadioStore.h"
#include "machine/wlan/WlanService.h"
#include "platform/Windows.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynUI/TessarynUIResources.h"
#include "resources/TessarynUI/resource.h"
#include "tests/client/monitor/MonitorFixture.h"
#include "tests/support/HexBytes.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"
#include "tests/support/platform/RadioFixtures.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace linkstatus_test
{

namespace mp = machine::miniport;
namespace radio = machine::radio;

using testing_support::le32;

// Open networks: an 11g one on channel 6, an 11a one on J12, an 11n one on 44 whose beacons
// show its HT elements, and an 11n one on a frequency no channel has.
inline std::vector<radio::Network> TestNetworks()
{
    auto elements = [](const std::string& ssid, std::uint8_t channel, bool ht)
    {
        radio::Bytes e =
            radio::Concat({radio::SsidElement(ssid), radio::DsParameterElement(channel)});
        if (ht)
            e = radio::Concat({e, radio::HtCapabilitiesElement(0x01EE, 2),
                               radio::HtOperationElement(channel, 1)});
        return e;
    };
    radio::Network g =
        testing_support::RadioNetwork("Open G", 1, 6, -60, elements("Open G", 6, false));
    g.phyType = radio::kPhyErp;
    // The machine's radio knows no J channels: a 5 GHz network on the J12 frequency.
    radio::Network j =
        testing_support::RadioNetwork("Island J12", 2, 64, -65, elements("Island J12", 64, false));
    j.frequencyKhz = 5060000;
    j.phyType = radio::kPhyOfdm;
    radio::Network n =
        testing_support::RadioNetwork("Open N", 3, 44, -50, elements("Open N", 44, true));
    n.phyType = radio::kPhyHt;
    radio::Network lost =
        testing_support::RadioNetwork("Lost N", 4, 44, -50, elements("Lost N", 44, true));
    lost.frequencyKhz = 5225000;
    lost.phyType = radio::kPhyHt;
    return {g, j, n, lost};
}

// The monitor window starts when a test has set the adapter up.
class LinkStatusFixture : public monitor_test::MonitorFixture
{
protected:
    void SetUp() override
    {
        PrepareMachine();
        CompleteChannelFrequencyTable(); // as the program does at start
        ASSERT_TRUE(radio::SaveNetworks(machine(), TestNetworks()));
    }

    void TearDown() override
    {
        if (m_pDlg && m_pDlg->m_hWnd != 0 && m_pDlg->IsSheetOpen())
            m_pDlg->m_pPropSheet->DestroyWindow();
        MonitorFixture::TearDown();
    }

    // The monitor window with an adapter of that many antennas, its first scan done and
    // published.
    void Start(int antennas = 3)
    {
        SetAntennas(antennas);
        StartMonitor();
        if (HasFatalFailure())
            return;
        platform::AdvanceClock(5000);
        m_pDlg->RefreshBssidList();
    }

    void SetAntennas(int antennas)
    {
        mp::ChangeAdapterState(machine(), m_id,
                               [&](mp::AdapterState& a)
                               { a.setU32(mp::kAntennas, static_cast<std::uint32_t>(antennas)); });
    }

    void Pin(std::uint32_t code, const std::string& answer)
    {
        mp::ChangeAdapterState(machine(), m_id,
                               [&](mp::AdapterState& a) { mp::PinAnswer(a, code, answer); });
    }
    void Pin(std::uint32_t code, std::uint32_t value) { Pin(code, le32(value)); }
    void Refuse(std::uint32_t code)
    {
        mp::InjectRequestFault(machine(), m_id, code, -1, mp::Direction::Query);
    }

    // Opens the sheet and chooses the page (or comes back to it).
    void ShowPage()
    {
        if (!m_pDlg->IsSheetOpen())
        {
            m_pDlg->ShowPropSheet();
            platform::PumpUntilIdle();
        }
        ASSERT_TRUE(m_pDlg->IsSheetOpen());
        ASSERT_TRUE(platform::automation::SelectPage(m_pDlg->m_pPropSheet->m_hWnd, "Link Status"));
        platform::PumpUntilIdle();
        ASSERT_EQ(m_pDlg->m_pPropSheet->GetActivePage(), &page());
    }
    void LeavePage()
    {
        ASSERT_TRUE(platform::automation::SelectPage(m_pDlg->m_pPropSheet->m_hWnd, "About"));
        platform::PumpUntilIdle();
    }

    // One period of the page's timer.
    void Tick() { platform::AdvanceClock(2000); }

    CLinkStatusPage& page() const { return m_pDlg->m_pPropSheet->m_LinkStatusPage; }

    std::string text(int id) const
    {
        CString s;
        page().GetDlgItemText(id, s);
        return std::string(s);
    }
    bool visible(int id) const { return ::IsWindowVisible(::GetDlgItem(page().m_hWnd, id)) != 0; }
    int bar(int id) const
    {
        return static_cast<int>(::SendMessageA(::GetDlgItem(page().m_hWnd, id), PBM_GETPOS, 0, 0));
    }
    // In page coordinates.
    RECT place(int id) const
    {
        RECT r{};
        page().GetDlgItem(id)->GetWindowRect(&r);
        page().ScreenToClient(&r);
        return r;
    }
};

inline bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace linkstatus_test
