// The two pages inside the profile editor: OK on either page checks and saves once.

#include "client/profiles/ProfileSheet.h"
#include "platform/ui/TestPump.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynUI/resource.h"
#include "tests/client/profiles/ProfileFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

class EditorPagesTest : public testing_support::ProfileFixture
{
protected:
    // Presses OK, answering every box with OK; the texts of the boxes.
    std::vector<std::string> pressOk(CProfileSheet& sheet)
    {
        platform::SetIdleHook(
            []
            {
                if (auto box = platform::FindOpenMessageBox())
                    platform::AnswerMessageBox(box->hwnd, IDOK);
            });
        sheet.PressButton(PSBTN_OK);
        platform::PumpUntilIdle();
        platform::SetIdleHook(nullptr);
        return takeMessages();
    }
};

TEST_F(EditorPagesTest, OkChecksTheTypedKeyAndSavesOnce)
{
    g_bAllowSecuredConnect = TRUE;
    g_nWpaSupport = 6;
    CProfileSheet sheet("Add Profile");
    sheet.SetupProfile("Home", "HomeNet", 6, 7, 1, 1, 1);
    ASSERT_TRUE(sheet.Create());
    platform::PumpUntilIdle();
    ASSERT_TRUE(platform::automation::SelectPage(sheet.m_hWnd, "Authentication and Security"));
    platform::PumpUntilIdle();
    CAuthSecuPage& auth = sheet.m_AuthSecuPage;
    CString selected;
    auth.m_cbAuthType.GetLBText(auth.m_cbAuthType.GetCurSel(), selected);
    EXPECT_EQ(std::string(selected), "WPA2-PSK");
    ASSERT_TRUE(
        platform::automation::SetText(auth.m_hWnd, std::to_string(IDC_AS_PSK_EDIT), "short"));

    std::vector<std::string> shown = pressOk(sheet);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("Invalid WPA2 Pre-Shared key.", 0), 0u) << shown[0];
    EXPECT_TRUE(::IsWindow(sheet.m_hWnd));
    EXPECT_EQ(sheet.GetActivePage(), &auth);
    EXPECT_FALSE(std::filesystem::exists(fileOf(INI_KIND_PROFILE)));

    ASSERT_TRUE(platform::automation::SetText(auth.m_hWnd, std::to_string(IDC_AS_PSK_EDIT),
                                              "correct horse"));
    // A second save of a new profile would meet its own section as a duplicate.
    EXPECT_EQ(pressOk(sheet), std::vector<std::string>{});
    EXPECT_EQ(sheet.m_bSaved, 1);
    EXPECT_EQ(value("Home", "SSID"), "HomeNet");
    EXPECT_EQ(value("Home", "AuthenType"), "7");
    EXPECT_EQ(value("Home", "Encryption"), "6");
    EXPECT_EQ(value("Home", "WPAPSK"), "correct horse");
}

} // namespace
