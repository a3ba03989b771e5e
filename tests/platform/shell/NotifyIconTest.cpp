#include "machine/desktop/Tray.h"
#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{

constexpr UINT kTrayMessage = 0x0464;
constexpr UINT kIconId = 161;

std::vector<MSG> g_seen;

LRESULT CALLBACK TrayOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kTrayMessage)
        g_seen.push_back(MSG{hwnd, message, wParam, lParam, 0, {}});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class NotifyIconTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        platform::ClearTrayCallLog();
        g_seen.clear();
        WNDCLASSA wc{};
        wc.lpfnWndProc = TrayOwnerProc;
        wc.lpszClassName = "TrayOwner";
        RegisterClassA(&wc);
        m_hwnd =
            CreateWindowExA(0, "TrayOwner", "Tray owner", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, nullptr);
        ASSERT_NE(m_hwnd, 0u);
    }
    void TearDown() override { DestroyWindow(m_hwnd); }

    NOTIFYICONDATAA data(UINT flags, const char* tip = "Tessaryn Wireless", HICON icon = 0x5000)
    {
        NOTIFYICONDATAA nid{};
        nid.cbSize = sizeof nid;
        nid.hWnd = m_hwnd;
        nid.uID = kIconId;
        nid.uFlags = flags;
        nid.uCallbackMessage = kTrayMessage;
        nid.hIcon = icon;
        std::strncpy(nid.szTip, tip, sizeof nid.szTip - 1);
        return nid;
    }

    std::vector<machine::desktop::TrayIcon> icons()
    {
        return machine::desktop::ListTrayIcons(machine::CurrentMachine());
    }

    testing_support::TempMachine m_machine;
    HWND m_hwnd = 0;
};

constexpr UINT kAll = NIF_MESSAGE | NIF_ICON | NIF_TIP;

TEST_F(NotifyIconTest, AddModifyDeleteKeepTheMachinesTrayAndRefuseWhatDoesNotFit)
{
    auto nid = data(kAll);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &nid));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &nid)); // already there
    auto shown = icons();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].hwnd, m_hwnd);
    EXPECT_EQ(shown[0].uid, kIconId);
    EXPECT_EQ(shown[0].callbackMessage, kTrayMessage);
    EXPECT_EQ(shown[0].icon, 0x5000u);
    EXPECT_EQ(shown[0].tip, "Tessaryn Wireless");
    EXPECT_EQ(shown[0].pid, static_cast<int>(::getpid()));

    // A modify changes only the fields its flags name.
    auto tipOnly = data(NIF_TIP, "Connected to home", 0x6000);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &tipOnly));
    shown = icons();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].tip, "Connected to home");
    EXPECT_EQ(shown[0].icon, 0x5000u);

    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));
    EXPECT_TRUE(icons().empty());
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &nid));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &nid));

    auto log = platform::TrayCallLog();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[1].command, NIM_ADD);
    EXPECT_FALSE(log[1].result);
    EXPECT_EQ(log[2].tip, "Connected to home");
    EXPECT_TRUE(log[3].result);
}

TEST_F(NotifyIconTest, ARefusedModifyIsRecoveredByDeleteThenAdd)
{
    auto nid = data(kAll);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &nid));
    platform::InjectTrayRefusal(NIM_MODIFY, 1);
    EXPECT_EQ(machine::desktop::PendingTrayRefusals(machine::CurrentMachine(),
                                                    machine::desktop::TrayCommand::Modify),
              1);
    auto changed = data(kAll, "Disconnected");
    // What the programs do when the shell restarted.
    if (!Shell_NotifyIconA(NIM_MODIFY, &changed))
    {
        Shell_NotifyIconA(NIM_DELETE, &changed);
        EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &changed));
    }
    else
        ADD_FAILURE() << "the refusal was not applied";
    auto shown = icons();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].tip, "Disconnected");
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &changed)); // only one was refused

    platform::InjectTrayRefusal(NIM_ADD, 2);
    auto second = data(kAll);
    second.uID = 2;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &second));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &second));
    EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &second));
}

struct TipCase
{
    const char* name;
    DWORD cbSize;
    std::size_t written; // bytes of 'x' in the tip field, no terminator when it fills it
    std::size_t expected;
};

class NotifyIconTipTest : public NotifyIconTest, public ::testing::WithParamInterface<TipCase>
{
};

TEST_P(NotifyIconTipTest, TheTipIsReadWithinItsField)
{
    const TipCase& c = GetParam();
    auto nid = data(kAll, "");
    nid.cbSize = c.cbSize;
    std::memset(nid.szTip, 'x', c.written);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &nid));
    auto shown = icons();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].tip, std::string(c.expected, 'x'));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, NotifyIconTipTest,
    ::testing::Values(TipCase{"Short", sizeof(NOTIFYICONDATAA), 20, 20},
                      // An SSID of 32 bytes makes a tip of up to 77 characters.
                      TipCase{"SeventySeven", sizeof(NOTIFYICONDATAA), 77, 77},
                      TipCase{"FullNewField", sizeof(NOTIFYICONDATAA), 128, 127},
                      TipCase{"OldRecordCutsAt64", NOTIFYICONDATAA_V1_SIZE, 100, 63}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NotifyIconTest, BadRecordsAreRefused)
{
    auto nid = data(kAll);
    nid.cbSize = 40;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &nid));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, nullptr));
    nid.cbSize = sizeof nid;
    EXPECT_FALSE(Shell_NotifyIconA(7, &nid));
    EXPECT_TRUE(icons().empty());
}

TEST_F(NotifyIconTest, ClickingTheIconPostsItsCallbackWithTheMouseMessages)
{
    auto nid = data(kAll);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &nid));
    EXPECT_TRUE(platform::ClickTrayIcon(m_hwnd, kIconId, platform::TrayClick::Right));
    EXPECT_TRUE(platform::ClickTrayIcon(m_hwnd, kIconId, platform::TrayClick::Double));
    EXPECT_FALSE(platform::ClickTrayIcon(m_hwnd, 99, platform::TrayClick::Right));
    platform::PumpUntilIdle();
    std::vector<LPARAM> mouse;
    for (const MSG& m : g_seen)
    {
        EXPECT_EQ(m.wParam, kIconId);
        mouse.push_back(m.lParam);
    }
    EXPECT_EQ(mouse, (std::vector<LPARAM>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_LBUTTONDOWN,
                                          WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
}

} // namespace
