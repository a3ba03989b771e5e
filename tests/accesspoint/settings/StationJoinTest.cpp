// The pushed settings against the machine's stations, which derive their keys apart from the
// program: a station with the access point's passphrase joins, one with another does not,
// whatever SSID the access point broadcasts; the first-run access point is open to any.

#include "accesspoint/monitor/HideDlg.h"
#include "machine/stations/Stations.h"
#include "tests/accesspoint/support/ApMachine.h"

namespace
{

namespace stations = machine::stations;

class StationJoinTest : public ap_test::ApMachine
{
protected:
    void SetUp() override
    {
        ApMachine::SetUp();
        setMacLastByte(0x3A);
        dlg.CreateDefaultApSettings();
        // The client's switch left the adapter in access-point operation.
        machine::miniport::ChangeAdapterState(machine(), m_id,
                                              [](machine::miniport::AdapterState& s)
                                              { machine::miniport::SetOperationMode(s, 2); });
    }

    void addStation(unsigned char last, stations::StationKey key, const std::string& passphrase)
    {
        stations::Station s;
        s.mac = {0x02, 0x5A, 0, 0, 0, last};
        s.key = key;
        s.passphrase = passphrase;
        ASSERT_TRUE(stations::AddStation(machine(), m_id, s));
    }

    // Whether each station in range, in the order added, has joined.
    std::vector<bool> joined() const
    {
        std::vector<bool> result;
        for (const auto& s : stations::ListStations(machine(), m_id))
            result.push_back(s.joined.has_value());
        return result;
    }

    CHideDlg dlg;
};

TEST_F(StationJoinTest, FirstRunAccessPointIsOpen)
{
    addStation(1, stations::StationKey::None, "");
    addStation(2, stations::StationKey::Passphrase, "anything-at-all");
    dlg.ApplyApSettings();
    EXPECT_EQ(joined(), (std::vector<bool>{true, true}));
}

TEST_F(StationJoinTest, OnlyTheRightPassphraseJoinsTheWpa2AccessPoint)
{
    for (const char* ssid : {"Lantern", ""})
    {
        stations::ClearStations(machine(), m_id);
        setText(m_driverKey, "AuthenType", "7");
        setText(m_driverKey, "Encryption", "6");
        setText(m_driverKey, "WPAPSK", "orchard-secret");
        setText(m_driverKey, "SSID", ssid);
        addStation(1, stations::StationKey::Passphrase, "orchard-secret");
        addStation(2, stations::StationKey::Passphrase, "orchard-secreT");
        dlg.ApplyApSettings();
        EXPECT_EQ(joined(), (std::vector<bool>{true, false})) << "[" << ssid << "]";
    }
}

} // namespace
