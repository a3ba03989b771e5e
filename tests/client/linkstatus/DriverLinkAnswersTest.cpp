#include "adapter/driver/DriverRequest.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/OidTable.h"
#include "machine/network/Connections.h"
#include "machine/radio/RadioStore.h"
#include "tests/client/linkstatus/LinkStatusFixture.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace linkstatus_test
{
namespace
{

std::optional<DWORD> Query(DWORD oid)
{
    DWORD value = 0;
    DWORD returned = 0;
    if (!OidQueryInformation(oid, &value, sizeof(value), &returned))
        return std::nullopt;
    return value;
}

DWORD LinkWord(int index)
{
    DWORD record[5] = {0};
    DWORD returned = 0;
    EXPECT_TRUE(OidQueryInformation(0xFF0C0009, record, sizeof(record), &returned));
    return record[index];
}

class DriverLinkAnswersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        m_id = testing_support::SelectDefaultAdapter(m.machine());
        ASSERT_TRUE(radio::SaveNetworks(m.machine(), TestNetworks()));
    }

    void Change(const std::function<void(mp::AdapterState&)>& f)
    {
        mp::ChangeAdapterState(m.machine(), m_id, f);
    }
    void Associate(const std::string& ssid, std::uint8_t last)
    {
        Change(
            [&](mp::AdapterState& a)
            { mp::SetAssociation(a, ssid, std::string("\x02\x54\x59\x00\x01", 5) + char(last)); });
    }

    testing_support::TempMachine m;
    std::string m_id;
};

TEST_F(DriverLinkAnswersTest, AnswersFollowTheAssociatedNetwork)
{
    // No link: link down, no readings.
    EXPECT_EQ(Query(0xFF0C000D), 1u);
    EXPECT_EQ(Query(0xFF0C0022), static_cast<DWORD>(-200));
    EXPECT_EQ(Query(0xFF0C0023), 44u);
    EXPECT_EQ(LinkWord(1), 0u);
    EXPECT_EQ(Query(0x0D71011F), 0u);

    // "Open N" at -50 dBm over a noise floor of -95 dBm, three antennas.
    Associate("Open N", 3);
    EXPECT_EQ(Query(0xFF0C000D), 0u);
    EXPECT_EQ(Query(0xFF0C0010), static_cast<DWORD>(-50));
    EXPECT_EQ(Query(0xFF0C0022), static_cast<DWORD>(-53));
    EXPECT_EQ(Query(0xFF0C0023), 45u);
    EXPECT_EQ(Query(0xFF0C0024), 45u);
    EXPECT_EQ(Query(0xFF0C0021), 0x810Fu) << "HT, short guard, two streams";
    EXPECT_EQ(LinkWord(4), 44u);
    EXPECT_GT(LinkWord(1), 50u);

    // The signal moves with the radio.
    radio::ChangeNetworks(m.machine(),
                          [](std::vector<radio::Network>& list)
                          {
                              radio::FindNetwork(list, "Open N")->rssi = -70;
                              return true;
                          });
    EXPECT_EQ(Query(0xFF0C0023), 25u);
    EXPECT_EQ(Query(0xFF0C0022), static_cast<DWORD>(-73));

    // The adapter's address once the connection has one.
    machine::network::ChangeConnections(m.machine(),
                                        [&](std::vector<machine::network::Connection>& list)
                                        {
                                            for (auto& c : list)
                                                if (c.guid == m_id)
                                                    c.ip = "192.168.7.20";
                                            return true;
                                        });
    EXPECT_EQ(Query(0x0D71011F), 192u | 168u << 8 | 7u << 16 | 20u << 24);

    // Fewer antennas: their signal queries are refused, the second ratio has no reading.
    Change([](mp::AdapterState& a) { a.setU32(mp::kAntennas, 1); });
    EXPECT_EQ(Query(0xFF0C0010), std::nullopt);
    EXPECT_EQ(Query(0xFF0C0022), std::nullopt);
    EXPECT_EQ(Query(0xFF0C0024), 44u);
    EXPECT_EQ(Query(0xFF0C0021), 0x8107u);
    EXPECT_EQ(Query(0x0D010206), static_cast<DWORD>(-70)) << "the standard signal query stays";

    // An 11g network, and a pinned answer that stays as stored.
    Associate("Open G", 1);
    EXPECT_EQ(Query(0xFF0C0021), 0x4007u);
    EXPECT_EQ(LinkWord(0), 108u);
    Change([](mp::AdapterState& a) { mp::PinAnswer(a, 0xFF0C0021, le32(0x8000)); });
    EXPECT_EQ(Query(0xFF0C0021), 0x8000u);

    Change([](mp::AdapterState& a) { a.radioOn = false; });
    EXPECT_EQ(Query(0xFF0C000D), 3u) << "software radio off";
}

} // namespace
} // namespace linkstatus_test
