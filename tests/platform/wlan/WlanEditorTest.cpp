#include "tests/platform/wlan/WlanClientFixture.h"

#include "machine/wlan/ProfileXml.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/automation/Remote.h"
#include "platform/wlan/WlanEditor.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace
{

using namespace std::chrono_literals;

class WlanEditor : public wlan_test::WlanClientTest
{
protected:
    // The editor's window once it is in view, waiting for it on the host clock.
    HWND awaitEditor()
    {
        for (auto until = std::chrono::steady_clock::now() + 10s;
             std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(5ms))
            if (HWND w = FindWindowA(WC_DIALOG, platform::wlan::kProfileEditorTitle);
                w != 0 && IsWindowVisible(w))
                return w;
        return 0;
    }
};

TEST_F(WlanEditor, BlocksUntilTheUserClosesIt)
{
    const std::string xml = wlan_test::ProfileXml("Corp", "Psk Three", "WPA2PSK", "AES", "k3y-k3y");
    storeProfile(xml);
    // Requests from the desktop reach a window's thread through a timer of the window.
    platform::UseRealClock();
    struct Case
    {
        WPARAM button;
        DWORD result;
    } cases[] = {{IDCANCEL, ERROR_CANCELLED}, {IDOK, ERROR_SUCCESS}};
    for (const Case& c : cases)
    {
        std::atomic<bool> done = false;
        DWORD result = 0, reason = 99;
        // The client opens it from a worker thread, which it holds.
        std::thread worker(
            [&]
            {
                result = WlanUIEditProfile(WLAN_UI_API_VERSION, u"Corp", &m_interface, 0,
                                           WLSecurityPage, nullptr, &reason);
                done = true;
            });
        HWND editor = awaitEditor();
        ASSERT_NE(editor, 0u);
        char name[64] = {};
        GetWindowTextA(GetDlgItem(editor, platform::wlan::kProfileEditorNameId), name, sizeof name);
        EXPECT_STREQ(name, "Corp");
        std::this_thread::sleep_for(50ms);
        EXPECT_FALSE(done);
        if (c.button == IDOK)
        {
            // As the desktop does it: the click runs on the editor's own thread.
            auto reply = platform::automation::ParseReply(
                platform::automation::HandleRequest(platform::automation::JoinRequest(
                    {"click", platform::automation::HandleText(editor), "OK"})));
            EXPECT_TRUE(reply.ok) << reply.message;
        }
        else
            PostMessageA(editor, WM_COMMAND, c.button, 0);
        worker.join();
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(reason, 0u);
        EXPECT_FALSE(IsWindow(editor));
    }
    // The stored profile stays as it was.
    EXPECT_EQ(machine::wlan::GetProfile(m(), wlan_test::GuidText(m_interface), "Corp")->xml, xml);

    DWORD reason = 0;
    EXPECT_EQ(WlanUIEditProfile(WLAN_UI_API_VERSION, u"corp", &m_interface, 0, WLSecurityPage,
                                nullptr, &reason),
              ERROR_NOT_FOUND);
    EXPECT_EQ(reason, machine::wlan::kReasonProfileMissing);
    EXPECT_EQ(WlanUIEditProfile(2, u"Corp", &m_interface, 0, WLSecurityPage, nullptr, &reason),
              ERROR_INVALID_PARAMETER);
    machine::wlan::SetServiceRunning(m(), false);
    EXPECT_EQ(WlanUIEditProfile(WLAN_UI_API_VERSION, u"Corp", &m_interface, 0, WLSecurityPage,
                                nullptr, &reason),
              ERROR_SERVICE_NOT_ACTIVE);
    machine::wlan::SetServiceRunning(m(), true);
}

} // namespace
