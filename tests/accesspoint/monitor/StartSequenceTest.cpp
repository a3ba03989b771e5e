// The access point's start sequence: the once-per-driver-load start of the uplink selector, the
// bridge, the TX-burst transfer, the network types, the region check and the order of it all.

#include "accesspoint/monitor/HideDlg.h"
#include "machine/bridge/BridgeLog.h"
#include "machine/bridge/BridgeState.h"
#include "tests/accesspoint/support/ApMachine.h"

namespace
{

using testing_support::le32;

#define OID_START_MARKER 0x0D710126
#define STORE_REGION_WORD 0xFF0C0003 // where the driver keeps the region word
#define OID_NETWORK_TYPES 0x0D010203

class StartSequenceTest : public ap_test::ApMachine
{
protected:
    void start()
    {
        clearRequests();
        dlg.StartAccessPoint(FALSE);
    }

    CHideDlg dlg;
};

TEST_F(StartSequenceTest, TheFirstStartOfADriverLoadStartsTheUplinkSelectorTwice)
{
    const struct
    {
        const char* name;
        int marker; // -1: the query fails
        bool first;
    } cases[] = {{"marker 0", 0, true}, {"marker 1", 1, false}, {"query fails", -1, false}};
    for (const auto& c : cases)
    {
        machine::miniport::ClearDriverFaults(machine(), m_id);
        machine::programs::ClearProgramLog(machine());
        if (c.marker < 0)
            failRequests(OID_START_MARKER, 1);
        else
            setDriverValue(OID_START_MARKER, le32(static_cast<std::uint32_t>(c.marker)));
        start();
        std::vector<std::string> starts = programStarts();
        if (c.first)
        {
            EXPECT_EQ(starts,
                      (std::vector<std::string>{"WinExec [\"UplinkPick.exe\" ICS_DOWN] show=0",
                                                "WinExec [UplinkPick.exe] show=5"}))
                << c.name;
            EXPECT_EQ(sent(0x0DF10126), std::vector<std::string>{le32(1)}) << c.name;
        }
        else
        {
            EXPECT_TRUE(starts.empty()) << c.name;
            EXPECT_TRUE(sent(0x0DF10126).empty()) << c.name;
        }
    }
    // The marker stays set while the driver stays loaded: the next start is not the first.
    machine::programs::ClearProgramLog(machine());
    setDriverValue(OID_START_MARKER, le32(0));
    start();
    start();
    EXPECT_EQ(programStarts().size(), 2u);
}

// Chip types 0 and 1 keep the stored channel inside the driver's region.
TEST_F(StartSequenceTest, RegionCorrectionsByRegionWordModeAndChannel)
{
    const struct
    {
        std::uint32_t region; // 0xFFFFFFFF: the query fails
        const char* mode;
        bool aBand;
        const char* channel;    // nullptr: not stored
        const char* newChannel; // nullptr: not written
        const char* bgRegion;   // "<missing>": not written
        const char* aRegion;
    } cases[] = {
        {0x00008001, "0", false, "14", "1", "1", "<missing>"},
        {0x00008001, "0", false, "6", nullptr, "1", "<missing>"},
        {0x00008001, "0", false, nullptr, "1", "1", "<missing>"},
        {0x00000604, "0", false, "6", "14", "4", "6"},
        {0x00000680, "2", true, "1", "36", "<missing>", "6"},
        {0x00000680, "2", false, "1", nullptr, "<missing>", "6"}, // counts as mode 0
        {0x00000703, "3", true, "165", nullptr, "3", "7"},
        {0x00000009, "0", false, "11", nullptr, "9", "0"}, // beyond the list: region 0's
        {0xFFFFFFFF, "0", false, "14", nullptr, "<missing>", "<missing>"},
    };
    g_nChipType = 0;
    g_bHtSupported = FALSE;
    dlg.CreateDefaultApSettings();
    for (const auto& c : cases)
    {
        machine::miniport::ClearDriverFaults(machine(), m_id);
        for (const char* name : {"Channel", "CountryRegion", "CountryRegionABand"})
        {
            machine::registry::DeleteValue(machine(), m_driverKey, name);
            machine::registry::DeleteValue(machine(), apDefault(), name);
        }
        setText(m_driverKey, "WirelessMode", c.mode);
        if (c.channel != nullptr)
            setText(m_driverKey, "Channel", c.channel);
        if (c.region == 0xFFFFFFFF)
            failRequests(0x0D710107);
        else
            setDriverValue(STORE_REGION_WORD, le32(c.region));
        std::string types = c.aBand ? le32(2) + le32(1) + le32(2) : le32(1) + le32(1);
        pinAnswer(OID_NETWORK_TYPES, types + std::string(20 - types.size(), '\0'));
        g_bABandSupported = c.aBand;
        dlg.VerifyCountryRegion();
        std::string label =
            std::to_string(c.region) + "/" + c.mode + "/" + (c.channel ? c.channel : "-");
        std::string expected = c.newChannel ? c.newChannel : (c.channel ? c.channel : "<missing>");
        EXPECT_EQ(textOf(m_driverKey, "Channel"), expected) << label;
        EXPECT_EQ(textOf(apDefault(), "Channel"), c.newChannel ? c.newChannel : "<missing>")
            << label;
        EXPECT_EQ(textOf(m_driverKey, "CountryRegion"), c.bgRegion) << label;
        EXPECT_EQ(textOf(m_driverKey, "CountryRegionABand"), c.aRegion) << label;
        // The validity the Config page goes by; without the driver's word it stays as it was.
        if (c.region != 0xFFFFFFFF)
        {
            EXPECT_EQ(g_bRegionValid, std::string(c.bgRegion) != "<missing>") << label;
            EXPECT_EQ(g_bABandRegionValid, std::string(c.aRegion) != "<missing>") << label;
        }
    }
}

TEST_F(StartSequenceTest, TxBurstChoiceIsTakenOverOnce)
{
    dlg.CreateDefaultApSettings();
    setText(m_driverKey, "RunOnceInitConfigTxBurst", "1");
    dlg.InitTxBurst();
    EXPECT_EQ(textOf(apDefault(), "TXBurst"), "1");
    EXPECT_EQ(textOf(apDefault(), "RunOnceInitConfigTxBurst"), "1");

    setText(m_driverKey, "RunOnceInitConfigTxBurst", "0");
    setText(apDefault(), "TXBurst", "0");
    dlg.InitTxBurst();
    EXPECT_EQ(textOf(apDefault(), "TXBurst"), "0");
    EXPECT_EQ(textOf(apDefault(), "RunOnceInitConfigTxBurst"), "1");
}

// The count is taken only as far as the buffer and the answer hold network types.
TEST_F(StartSequenceTest, NetworkTypeCountIsBounded)
{
    const struct
    {
        std::string answer;
        std::uint32_t shortAnswer; // 0: whole
        BOOL aBand;
    } cases[] = {
        {le32(2) + le32(1) + le32(2), 0, TRUE},
        {le32(1) + le32(1) + le32(2), 0, FALSE},
        {le32(1000) + le32(1) + le32(1) + le32(1) + le32(1), 0, FALSE},
        {le32(1000) + le32(1) + le32(2), 8, FALSE}, // the answer holds one type
        {le32(1000) + le32(1) + le32(1) + le32(1) + le32(2), 0, TRUE},
    };
    for (const auto& c : cases)
    {
        machine::miniport::ClearDriverFaults(machine(), m_id);
        pinAnswer(OID_NETWORK_TYPES, c.answer + std::string(20 - c.answer.size(), '\0'));
        if (c.shortAnswer != 0)
            machine::miniport::InjectShortAnswer(machine(), m_id, OID_NETWORK_TYPES, c.shortAnswer);
        g_bABandSupported = !c.aBand;
        dlg.QueryNetworkTypes();
        EXPECT_EQ(g_bABandSupported, c.aBand) << testing::PrintToString(c.answer);
    }
}

// Bridging is switched on when the bridge says it is off, on a version-2 driver only; a
// request left pending counts as failed. The sequence goes on whatever the bridge answers.
TEST_F(StartSequenceTest, BridgeIsSwitchedOnWhenItIsOff)
{
    namespace bridge = machine::bridge;
    const std::string open = "access=0x00000000 share=READ|WRITE flags=OVERLAPPED|DELETE_ON_CLOSE";
    const std::string noFlag = "access=0x00000000 share=READ|WRITE flags=OVERLAPPED";
    const std::string version = "VERSION in=FFFFFFFF out=4 answered ";
    const struct
    {
        const char* name;
        bool present;
        std::uint32_t version;
        bool bridging;
        std::vector<std::uint32_t> pending;
        int enabled;
        std::vector<std::string> log;
    } cases[] = {
        {"version 2, off",
         true,
         2,
         false,
         {},
         1,
         {"open 1 " + open, "request 1 " + version + "02000000",
          "request 1 STATE in=- out=4 answered 00000000", "open 2 " + open,
          "request 2 " + version + "02000000", "request 2 SWITCH in=01000000 out=0 answered -",
          "close 2", "close 1"}},
        {"version 2, on",
         true,
         2,
         true,
         {},
         0,
         {"open 1 " + open, "request 1 " + version + "02000000",
          "request 1 STATE in=- out=4 answered 01000000", "close 1"}},
        {"version 1",
         true,
         1,
         false,
         {},
         0,
         {"open 1 " + open, "request 1 " + version + "01000000", "open 2 " + open,
          "request 2 " + version + "01000000", "close 2", "close 1"}},
        {"state pending",
         true,
         2,
         true,
         {bridge::kStateRequest},
         1,
         {"open 1 " + open, "request 1 " + version + "02000000",
          "request 1 STATE in=- out=4 pending", "open 2 " + open,
          "request 2 " + version + "02000000", "request 2 SWITCH in=01000000 out=0 answered -",
          "close 2", "close 1"}},
        {"switch pending",
         true,
         2,
         false,
         {bridge::kSwitchRequest},
         0,
         {"open 1 " + open, "request 1 " + version + "02000000",
          "request 1 STATE in=- out=4 answered 00000000", "open 2 " + open,
          "request 2 " + version + "02000000", "request 2 SWITCH in=01000000 out=0 pending",
          "close 2", "close 1"}},
        {"no device",
         false,
         2,
         false,
         {},
         0,
         {"open - " + open + " failed 2", "open - " + noFlag + " failed 2",
          "open - " + open + " failed 2", "open - " + noFlag + " failed 2"}},
    };
    for (const auto& c : cases)
    {
        bridge::SaveBridge(machine(), bridge::BridgeState{});
        bridge::ChangeBridge(machine(),
                             [&](bridge::BridgeState& b)
                             {
                                 b.present = c.present;
                                 b.version = c.version;
                                 b.bridging = c.bridging;
                                 b.pendingCodes = c.pending;
                             });
        bridge::ClearBridgeLog(machine());
        g_nBridgeEnabled = 5;
        start();
        EXPECT_EQ(g_nBridgeEnabled, c.enabled) << c.name;
        EXPECT_EQ(bridge::ReadBridgeLog(machine()), c.log) << c.name;
        EXPECT_EQ(sent(0x0D810102).size(), 1u) << c.name;
        EXPECT_FALSE(dlg.m_bBusy);
    }
}

// A bridge that refuses the delete-on-close open is opened without it.
TEST_F(StartSequenceTest, BridgeOpenFallsBackWithoutDeleteOnClose)
{
    namespace bridge = machine::bridge;
    bridge::ChangeBridge(machine(),
                         [](bridge::BridgeState& b)
                         {
                             b.present = true;
                             b.refuseDeleteOnClose = true;
                         });
    start();
    EXPECT_EQ(g_nBridgeEnabled, 1);
    std::vector<std::string> log = bridge::ReadBridgeLog(machine());
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0].rfind("open - ", 0), 0u) << log[0];
    EXPECT_EQ(log[1], "open 1 access=0x00000000 share=READ|WRITE flags=OVERLAPPED");
    EXPECT_TRUE(bridge::LoadBridge(machine()).bridging);
}

// The whole sequence on a fresh machine, in order, with each request's size.
TEST_F(StartSequenceTest, WholeSequenceInItsOrder)
{
    setDriverValue(OID_START_MARKER, le32(0));
    start();
    std::vector<std::string> expected = {"0D710126/4",  // start marker
                                         "0DF10126/4",  // ... set
                                         "01010102/6",  // MAC address for the first-run SSID
                                         "0D010203/20", // network types
                                         "00010110/2",  // driver version
                                         "0D710105/12", // the register query, twice
                                         "0D710105/12",
                                         // The settings push.
                                         "0DF1010C/4", "0DF1013B/12", "0DF10118/4", "0D810210/8",
                                         "0D010211/32", "0D710101/4", "0D01020A/4", "0D010209/4",
                                         "0D71010F/32", "0D810118/4", "0D81011B/4", "0D810102/36",
                                         "0DF10110/264", "0DF10112/60"};
    EXPECT_EQ(trace(), expected);
    EXPECT_EQ(sent(0x0D710105), (std::vector<std::string>(2, le32(3) + le32(54) + le32(0))));
    EXPECT_TRUE(g_bBbpQueried);
}

} // namespace
