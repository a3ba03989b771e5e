// Help requests open nothing on the machine; each is recorded with its file, command, data and
// the thread that asked.

#include "platform/Windows.h"

#include "machine/programs/ProgramLog.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{

TEST(HelpViewer, RequestsAreRecordedWithTheThreadThatMadeThem)
{
    testing_support::TempMachine m;
    HWND window = 0;
    DWORD worker = 0;
    std::thread(
        [&]
        {
            worker = GetCurrentThreadId();
            window = HtmlHelpA(0, ".\\VnConfigENG.chm", HH_DISPLAY_TOPIC, 0);
        })
        .join();
    EXPECT_EQ(window, 0u); // no viewer window on a headless machine
    ASSERT_NE(worker, GetCurrentThreadId());

    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Users\\Owner"));
    EXPECT_TRUE(
        WinHelpA(0x10010, "C:\\Program Files\\Tessaryn\\HubPanelCHN.HLP", HELP_CONTEXT, 4021));
    EXPECT_TRUE(WinHelpA(0x10010, NULL, HELP_QUIT, 0));
    EXPECT_FALSE(WinHelpA(0x10010, NULL, HELP_FINDER, 0));

    const std::string self = std::to_string(GetCurrentThreadId());
    EXPECT_EQ(machine::programs::ReadProgramLog(m.machine()),
              (std::vector<std::string>{
                  "HtmlHelp [.\\VnConfigENG.chm] file=[C:\\Program "
                  "Files\\Tessaryn\\VnConfigENG.chm] command=0 data=0 thread=" +
                      std::to_string(worker) + " window=0x00000000",
                  "WinHelp [C:\\Program Files\\Tessaryn\\HubPanelCHN.HLP] file=[C:\\Program "
                  "Files\\Tessaryn\\HubPanelCHN.HLP] command=1 data=4021 thread=" +
                      self + " window=0x00010010",
                  "WinHelp NULL command=2 data=0 thread=" + self + " window=0x00010010",
                  "WinHelp NULL command=11 data=0 thread=" + self + " window=0x00010010",
              }));
}

} // namespace
