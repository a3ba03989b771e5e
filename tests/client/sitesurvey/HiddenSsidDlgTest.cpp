#include "client/status/HiddenSsidDlg.h"

#include "client/sheet/VnPropSheet.h"
#include "client/status/SiteSurvPage.h"
#include "machine/devices/DeviceTree.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynUI/resource.h"
#include "tests/client/monitor/MonitorFixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace
{

std::string textOf(HWND hWnd)
{
    char text[256] = {0};
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// Runs the dialog; the script sees it once it is up and must end it.
INT_PTR runDialog(CHiddenSsidDlg& dlg, const std::function<void(HWND)>& script)
{
    bool ran = false;
    platform::SetIdleHook(
        [&]
        {
            if (ran)
                return;
            ran = true;
            script(dlg.m_hWnd);
        });
    INT_PTR nResult = dlg.DoModal();
    platform::SetIdleHook(nullptr);
    EXPECT_TRUE(ran);
    return nResult;
}

class HiddenSsidDlgTest : public monitor_test::MonitorFixture
{
protected:
    void TearDown() override
    {
        platform::SetIdleHook(nullptr);
        MonitorFixture::TearDown();
    }
};

TEST_F(HiddenSsidDlgTest, AsksForAnSsidOfAtMost32CharactersAndRefusesAnEmptyOne)
{
    CHiddenSsidDlg dlg;
    std::unique_ptr<CObject> pMade(RUNTIME_CLASS(CHiddenSsidDlg)->CreateObject());
    EXPECT_TRUE(pMade->IsKindOf(RUNTIME_CLASS(CHiddenSsidDlg)));

    bool stayedOpen = false;
    INT_PTR nResult = runDialog(
        dlg,
        [&](HWND hDlg)
        {
            EXPECT_EQ(textOf(hDlg), " ");
            EXPECT_EQ(textOf(GetDlgItem(hDlg, IDC_HIDDEN_SSID_PROMPT)), "Please enter SSID");
            EXPECT_EQ(textOf(GetDlgItem(hDlg, IDOK)), "OK");
            EXPECT_EQ(textOf(GetDlgItem(hDlg, IDCANCEL)), "Cancel");

            platform::ClearMessageBoxLog();
            platform::ScriptMessageBoxAnswers({IDOK});
            ASSERT_TRUE(platform::automation::Click(hDlg, "OK"));
            auto boxes = platform::MessageBoxLog();
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "Please enter SSID");
            stayedOpen = IsWindow(hDlg) && IsWindowVisible(hDlg);

            ASSERT_TRUE(platform::automation::TypeText(hDlg, std::to_string(IDC_HIDDEN_SSID_EDIT),
                                                       std::string(40, 'x')));
            EXPECT_EQ(textOf(GetDlgItem(hDlg, IDC_HIDDEN_SSID_EDIT)), std::string(32, 'x'));
            ASSERT_TRUE(platform::automation::Click(hDlg, "OK"));
        });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(std::string(dlg.m_strSsid), std::string(32, 'x'));
}

TEST_F(HiddenSsidDlgTest, ClosingRoutinesEndOnlyTheirOwnDialogs)
{
    // A modeless dialog of another class stays.
    CDialog other;
    ASSERT_TRUE(other.Create(IDD_HIDDEN_SSID_DLG));
    CHiddenSsidDlg dlg;
    INT_PTR nResult = runDialog(dlg,
                                [&](HWND)
                                {
                                    CloseSysConfigPages();
                                    ASSERT_TRUE(IsWindow(dlg.m_hWnd));
                                    CloseHiddenSsidDialogs();
                                });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_TRUE(IsWindow(other.m_hWnd));
    other.DestroyWindow();
}

TEST_F(HiddenSsidDlgTest, AnOpenDialogEndsWhenTheAdapterGoesWithTheSheet)
{
    m_pDlg->ShowPropSheet();
    platform::PumpUntilIdle();
    ASSERT_TRUE(m_pDlg->IsSheetOpen());
    CHiddenSsidDlg dlg(m_pDlg->m_pPropSheet);
    INT_PTR nResult = runDialog(
        dlg,
        [&](HWND)
        {
            ASSERT_TRUE(machine::devices::SetDevicePresent(machine(), instanceId(), false));
            Tick();
        });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(m_pDlg->m_pPropSheet, nullptr);
}

} // namespace
