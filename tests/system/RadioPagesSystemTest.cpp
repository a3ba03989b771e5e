// The radio pages that no window of TessarynUI shows, created by their classes in this process
// and driven from outside through the built machine tool, as a person at the desktop would: what
// the tool shows of them, and what its actions send to the simulated driver.

#include "client/radio/AdvancePage.h"
#include "client/radio/BlockAck.h"
#include "client/radio/QoSPage.h"
#include "client/radio/RegSetPage.h"
#include "tests/client/radio/RadioPageFixture.h"
#include "tests/support/ChildProcess.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace
{

using namespace radio_test;
using namespace std::chrono_literals;

class RadioPagesSystemTest : public RadioPageTest
{
protected:
    // The machine tool run while this process keeps its windows answering. A process serves the
    // tool on the machine of its first window: one test a process, as ctest runs them.
    testing_support::CommandRun vnmachine(const std::vector<std::string>& args)
    {
        testing_support::CommandRun run;
        std::atomic<bool> done{false};
        std::thread tool(
            [&]
            {
                run = testing_support::RunVnmachine(m_machine.root(), args);
                done = true;
            });
        // The tool's requests come as timers of the window: the manual clock moves for them.
        while (!done)
        {
            platform::AdvanceClock(10);
            std::this_thread::sleep_for(5ms);
        }
        tool.join();
        platform::PumpUntilIdle();
        return run;
    }
};

TEST_F(RadioPagesSystemTest, TheToolShowsAndDrivesTheRegisterPage)
{
    changeDriver(
        [](machine::miniport::AdapterState& s) {
            s.registers[{machine::miniport::kMacRegisters, 0x1000}] = 0xBEEF;
        });
    Open<CRegSetPage>();
    testing_support::CommandRun shown = vnmachine({"ui", "show", "Radio"});
    ASSERT_EQ(shown.status, 0) << shown.out;
    EXPECT_NE(shown.out.find("Setting Register"), std::string::npos) << shown.out;

    // The offset emptied first (the edit takes eight digits), then typed; the hexadecimal edit
    // drops what is no digit.
    const std::string offset = std::to_string(IDC_REG_MAC_OFFSET);
    EXPECT_EQ(vnmachine({"ui", "settext", "Radio", offset, ""}).status, 0);
    testing_support::CommandRun typed = vnmachine({"ui", "type", "Radio", offset, "10x00"});
    EXPECT_EQ(typed.status, 0) << typed.out;
    EXPECT_EQ(TextOf(IDC_REG_MAC_OFFSET), "1000") << typed.out;
    testing_support::CommandRun clicked =
        vnmachine({"ui", "click", "Radio", std::to_string(IDC_REG_MAC_QUERY)});
    EXPECT_EQ(clicked.status, 0) << clicked.out;
    EXPECT_EQ(TextOf(IDC_REG_MAC_VALUE), "0000BEEF");
    shown = vnmachine({"ui", "show", "Radio"});
    EXPECT_NE(shown.out.find("0000BEEF"), std::string::npos) << shown.out;
    testing_support::CommandRun log = vnmachine({"driver", "log"});
    EXPECT_NE(log.out.find("FF0C0008"), std::string::npos) << log.out;
}

TEST_F(RadioPagesSystemTest, TheToolAppliesTheAdvancedPage)
{
    g_bHtSupported = FALSE;
    SetConfig("WirelessMode", "0");
    changeDriver(
        [](machine::miniport::AdapterState& s) {
            machine::miniport::SetAssociation(s, "Cafe",
                                              std::string("\x02\x10\x20\x30\x40\x50", 6));
        });
    Open<CAdvancePage>();
    testing_support::CommandRun shown = vnmachine({"ui", "show", "Radio"});
    EXPECT_NE(shown.out.find("802.11 B/G mix"), std::string::npos) << shown.out;
    EXPECT_EQ(vnmachine({"ui", "click", "Radio", "Tx BURST"}).status, 0);
    clearRequests();
    testing_support::CommandRun applied =
        vnmachine({"ui", "click", "Radio", std::to_string(IDC_ADV_APPLY)});
    EXPECT_EQ(applied.status, 0) << applied.out;
    EXPECT_EQ(Config("TXBurst"), "1");
    // The reconnect and the mode's rate set, as the tool lists the driver's requests.
    testing_support::CommandRun log = vnmachine({"driver", "log"});
    for (const char* code : {"0D810115", "0D810102", "FF81031A"})
        EXPECT_NE(log.out.find(code), std::string::npos) << code << "\n" << log.out;
}

} // namespace
