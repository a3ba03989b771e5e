#include "adapter/discovery/SelCardDlg.h"

#include "adapter/discovery/AdapterDiscovery.h"
#include "adapter/system/OsVersion.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "platform/ui/automation/Actions.h"
#include "platform/ui/automation/FormText.h"
#include "platform/ui/controls/UserActions.h"
#include "resources/common/SelCardIds.h"
#include "resources/common/SelCardResources.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using machine::devices::NetDevice;

std::string itemText(HWND hDlg, int id)
{
    char text[512] = {0};
    GetDlgItemTextA(hDlg, id, text, sizeof text);
    return text;
}

std::vector<std::string> comboEntries(HWND hCombo)
{
    std::vector<std::string> entries;
    int n = static_cast<int>(SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
    {
        CString text;
        CComboBox* pCombo = static_cast<CComboBox*>(CWnd::FromHandle(hCombo));
        pCombo->GetLBText(i, text);
        entries.emplace_back(static_cast<LPCSTR>(text));
    }
    return entries;
}

// The four texts the dialog shows for a device.
std::vector<std::string> shownTexts(HWND hDlg)
{
    return {itemText(hDlg, IDC_SELCARD_DEVICEDESC), itemText(hDlg, IDC_SELCARD_HARDWAREID),
            itemText(hDlg, IDC_SELCARD_LOCATION), itemText(hDlg, IDC_SELCARD_MANUFACTURER)};
}

std::vector<std::string> textsOf(const NetDevice& d)
{
    return {d.deviceDesc, d.hardwareIds.front(), d.locationInfo, d.manufacturer};
}

class SelCardDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        RegisterSelCardTemplate();
        for (const NetDevice& d : machine::devices::ListDevices(m.machine()))
            machine::devices::RemoveDevice(m.machine(), d.instanceId);
        OsVersionCode = 8; // the driver is reached by its NetCfgInstanceId
        usb = machine::devices::InstallDevice(m.machine(),
                                              machine::devices::TessarynUsbAdapter(8, 0));
        machine::devices::InstallDevice(m.machine(), machine::devices::OtherMakerNic());
        pci = machine::devices::InstallDevice(m.machine(), machine::devices::TessarynPciAdapter(6));
        g_pfnChooseAdapter = ChooseAdapterByDialog;
    }
    void TearDown() override { platform::SetIdleHook(nullptr); }

    // Runs discovery; the script sees the dialog once it is up and ends it.
    void discoverWith(const std::function<void(HWND)>& script)
    {
        bool ran = false;
        platform::SetIdleHook(
            [&]
            {
                HWND hDlg = FindWindowA(NULL, "Select wireless lan card");
                ASSERT_NE(hDlg, 0u);
                ASSERT_FALSE(ran) << "the dialog stayed up";
                ran = true;
                script(hDlg);
            });
        ASSERT_TRUE(SelectAdapter(selection));
        platform::SetIdleHook(nullptr);
        EXPECT_TRUE(ran);
    }

    testing_support::TempMachine m;
    NetDevice usb, pci;
    AdapterSelection selection;
};

TEST_F(SelCardDlgTest, ListsTheCandidatesAndTheTextsFollowTheSelection)
{
    discoverWith(
        [&](HWND hDlg)
        {
            HWND hCombo = GetDlgItem(hDlg, IDC_SELCARD_COMBO);
            EXPECT_EQ(comboEntries(hCombo),
                      (std::vector<std::string>{usb.friendlyName, pci.friendlyName}));
            EXPECT_EQ(SendMessageA(hCombo, CB_GETCURSEL, 0, 0), 0);
            EXPECT_EQ(shownTexts(hDlg), textsOf(usb));

            ASSERT_TRUE(platform::ComboSelectAsUser(hCombo, 1));
            EXPECT_EQ(shownTexts(hDlg), textsOf(pci));
            ASSERT_TRUE(platform::ButtonClickAsUser(GetDlgItem(hDlg, IDOK)));
        });
    EXPECT_EQ(std::string(selection.strNetCfgInstanceId), pci.netCfgInstanceId);
    EXPECT_EQ(selection.nChipType, 6);
}

TEST_F(SelCardDlgTest, EndedWithoutOkTakesTheAdapterShown)
{
    struct Case
    {
        int select;
        const char* key;
    } cases[] = {{1, "esc"}, {0, "esc"}, {1, "enter"}};
    for (const Case& c : cases)
    {
        discoverWith(
            [&](HWND hDlg)
            {
                ASSERT_TRUE(
                    platform::ComboSelectAsUser(GetDlgItem(hDlg, IDC_SELCARD_COMBO), c.select));
                platform::automation::PressKey(hDlg, c.key);
            });
        EXPECT_EQ(std::string(selection.strNetCfgInstanceId),
                  (c.select == 1 ? pci : usb).netCfgInstanceId)
            << c.key << " after entry " << c.select;
    }
}

TEST_F(SelCardDlgTest, TheTemplateKeepsItsLabels)
{
    discoverWith(
        [&](HWND hDlg)
        {
            std::string form = platform::automation::RenderWindow(hDlg);
            for (const char* label :
                 {"Device Description : ", "Hardware ID : ", "Location Infoamation : ",
                  "Manufactory : ", "Friendly Name : "})
                EXPECT_NE(form.find(label), std::string::npos) << label;
            platform::automation::PressKey(hDlg, "enter");
        });
}

} // namespace
