// The Profile page: its list, Add and Edit through the profile editor, Delete and Activate, and
// the hand-over when the main sheet closes under an open editor.

#include "client/profiles/ProfilePage.h"

#include "client/app/ProgramObjects.h"
#include "client/profiles/CertSelections.h"
#include "client/profiles/ProfileSheet.h"
#include "client/profiles/SelCertDlg.h"
#include "platform/ui/TestPump.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynUI/resource.h"
#include "tests/client/profiles/ProfileFixture.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{

using testing_support::ProfileFixture;
namespace automation = platform::automation;

// A modeless sheet that shows the Profile page alone.
struct Host
{
    CPropertySheet sheet{"Host"};
    CProfilePage page;
};

class ProfilePageTest : public ProfileFixture
{
protected:
    void TearDown() override
    {
        platform::SetIdleHook(nullptr);
        host.reset();
        delete g_pProfileEditor;
        g_pProfileEditor = NULL;
        ProfileFixture::TearDown();
    }
    CProfilePage& show()
    {
        host = std::make_unique<Host>();
        host->sheet.AddPage(&host->page);
        EXPECT_TRUE(host->sheet.Create());
        platform::PumpUntilIdle();
        return host->page;
    }
    std::vector<std::string> row(int nItem)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < 6; i++)
            texts.push_back(std::string(host->page.m_ProfileList.GetItemText(nItem, i)));
        return texts;
    }
    int rows() { return host->page.m_ProfileList.GetItemCount(); }
    bool enabled(int nID) { return host->page.GetDlgItem(nID)->IsWindowEnabled(); }
    void pick(int nItem)
    {
        ASSERT_TRUE(
            automation::PickRow(host->page.m_hWnd, std::to_string(IDC_PROFILE_LIST), nItem, false));
    }
    // Runs a click on the button (a double click on row 0 for "row") that opens the editor; the
    // script acts on the editor once it is up (boxes that come up after it are answered OK).
    void withEditor(const std::string& button, const std::function<void(HWND)>& script)
    {
        bool ran = false;
        platform::SetIdleHook(
            [&]
            {
                if (auto box = platform::FindOpenMessageBox())
                {
                    platform::AnswerMessageBox(box->hwnd, IDOK);
                    return;
                }
                ASSERT_FALSE(ran) << "the editor stayed up";
                ASSERT_NE(g_pProfileEditor, nullptr);
                ran = true;
                script(g_pProfileEditor->m_hWnd);
            });
        if (button == "row")
            automation::PickRow(host->page.m_hWnd, std::to_string(IDC_PROFILE_LIST), 0, true);
        else
            automation::Click(host->page.m_hWnd, button);
        platform::SetIdleHook(nullptr);
        EXPECT_TRUE(ran);
    }

    std::unique_ptr<Host> host;
};

TEST_F(ProfilePageTest, AnEmptyFileLeavesOnlyAddEnabled)
{
    show();
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(enabled(IDC_PROFILE_ADD));
    EXPECT_FALSE(enabled(IDC_PROFILE_DELETE));
    EXPECT_FALSE(enabled(IDC_PROFILE_EDIT));
    EXPECT_FALSE(enabled(IDC_PROFILE_ACTIVATE));
    for (int nButton : {IDC_PROFILE_DELETE, IDC_PROFILE_EDIT, IDC_PROFILE_ACTIVATE})
        EXPECT_FALSE(automation::Click(host->page.m_hWnd, std::to_string(nButton))) << nButton;
}

TEST_F(ProfilePageTest, RowsShowTheStoredCodesAsText)
{
    g_bAllowSecuredConnect = TRUE;
    writeSection("Leap", {{"SSID", "Corp"},
                          {"Channel", "212"},
                          {"AuthenType", "0"},
                          {"LeapEnabled", "1"},
                          {"Encryption", "0"},
                          {"NetworkType", "1"}});
    writeSection("Shared", {{"SSID", "Lab"},
                            {"Channel", "6"},
                            {"AuthenType", "1"},
                            {"Use8021X", "1"},
                            {"Encryption", "0"},
                            {"NetworkType", "0"}});
    writeSection("Odd", {{"SSID", "X"}, {"AuthenType", "9"}, {"Encryption", "6"}});
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "CurProfile", "Shared");
    CProfilePage& page = show();
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(row(0),
              (std::vector<std::string>{"Leap", "Corp", "J12", "LEAP ", "WEP", "Infrastructure"}));
    EXPECT_EQ(row(1), (std::vector<std::string>{"Shared", "Lab", "6", "Shared - Use 802.1X", "WEP",
                                                "Ad hoc"}));
    EXPECT_EQ(row(2), (std::vector<std::string>{"Odd", "X", "", "Open ", "AES", ""}));
    EXPECT_EQ(std::string(page.m_strCurProfile), "Shared");
    EXPECT_TRUE(page.IsCurrentProfileRow(1));

    // Generated names continue after the highest number, in any letter case.
    page.InsertProfileRow("PROF1", "", "", "", "", "");
    page.InsertProfileRow("prof7", "", "", "", "", "");
    EXPECT_EQ(std::string(page.NextProfileName()), "PROF8");
}

TEST_F(ProfilePageTest, ACurrentProfileThatIsNotListedIsForgotten)
{
    writeSection("A", {{"SSID", "a"}});
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "CurProfile", "Gone");
    EXPECT_TRUE(show().m_strCurProfile.IsEmpty());
}

TEST_F(ProfilePageTest, DeletingTheActiveProfileResetsConfigAndKeepsTheOthers)
{
    writeFile(INI_KIND_PROFILE, "[PROF1]\r\nSSID=one\r\n[PROF10]\r\nSSID=ten\r\n[PROF11]\r\n"
                                "SSID=eleven\r\nChannel=3");
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "CurProfile", "PROF1");
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "SSID", "one");
    show();
    pick(0);
    ASSERT_TRUE(automation::Click(host->page.m_hWnd, std::to_string(IDC_PROFILE_DELETE)));
    EXPECT_EQ(config("CurProfile"), "");
    EXPECT_EQ(config("SSID"), "");
    EXPECT_EQ(config("Encryption"), "1");
    EXPECT_EQ(driverValue("CurProfile"), "");
    EXPECT_EQ(fileText(INI_KIND_PROFILE),
              "[PROF10]\r\nSSID=ten\r\n[PROF11]\r\nSSID=eleven\r\nChannel=3");
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(host->page.m_ProfileList.GetNextItem(-1, LVNI_SELECTED), 0);

    // The last row: the new last row is selected; the last profile: the buttons go off.
    pick(1);
    ASSERT_TRUE(automation::Click(host->page.m_hWnd, std::to_string(IDC_PROFILE_DELETE)));
    EXPECT_EQ(config("CurProfile"), "");
    EXPECT_EQ(host->page.m_ProfileList.GetNextItem(-1, LVNI_SELECTED), 0);
    EXPECT_EQ(fileText(INI_KIND_PROFILE), "[PROF10]\r\nSSID=ten\r\n");
    ASSERT_TRUE(automation::Click(host->page.m_hWnd, std::to_string(IDC_PROFILE_DELETE)));
    EXPECT_EQ(rows(), 0);
    EXPECT_FALSE(enabled(IDC_PROFILE_DELETE));
}

TEST_F(ProfilePageTest, NamesWithFileSyntaxStayTheirOwnSection)
{
    writeSection("Keep", {{"SSID", "kept"}, {"WPAPSK", "secret99"}});
    const std::vector<std::string> names = {"a=b", ";semi", "[open", "x ; y = z"};
    for (const auto& name : names)
    {
        CProfileSheet sheet("Add Profile");
        sheet.SetupProfile(name.c_str(), ("net " + name).c_str(), 1, 0, 1, 1, 1);
        ASSERT_EQ(sheet.ApplyProfile(), 1) << name;
    }
    show();
    ASSERT_EQ(rows(), 5);
    for (int i = 0; i < 4; i++)
    {
        EXPECT_EQ(row(i + 1)[0], names[i]);
        EXPECT_EQ(row(i + 1)[1], "net " + names[i]);
    }
    for (int i = 0; i < 4; i++)
    {
        pick(1);
        ASSERT_TRUE(automation::Click(host->page.m_hWnd, std::to_string(IDC_PROFILE_DELETE)));
    }
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(fileText(INI_KIND_PROFILE), "[Keep]\r\nSSID=kept\r\nWPAPSK=secret99\r\n");
}

TEST_F(ProfilePageTest, NoSelectedRowIsSaidSo)
{
    writeSection("A", {{"SSID", "a"}});
    show();
    platform::SetIdleHook(
        []
        {
            auto box = platform::FindOpenMessageBox();
            ASSERT_TRUE(box.has_value());
            platform::AnswerMessageBox(box->hwnd, IDOK);
        });
    for (int nButton : {IDC_PROFILE_DELETE, IDC_PROFILE_EDIT, IDC_PROFILE_ACTIVATE})
    {
        ASSERT_TRUE(automation::Click(host->page.m_hWnd, std::to_string(nButton)));
        EXPECT_EQ(takeMessages(), std::vector<std::string>{"No selected item"}) << nButton;
    }
    EXPECT_EQ(rows(), 1);
}

TEST_F(ProfilePageTest, ActivateCopiesTheSectionAndNamesTheProfile)
{
    writeSection(
        "Cafe",
        {{"SSID", " Cafe "}, {"NetworkType", "1"}, {"AuthenType", "0"}, {"Encryption", "1"}});
    CProfilePage& page = show();
    pick(0);
    ASSERT_TRUE(automation::Click(page.m_hWnd, std::to_string(IDC_PROFILE_ACTIVATE)));
    EXPECT_EQ(config("CurProfile"), "Cafe");
    EXPECT_EQ(config("SSID"), " Cafe "); // blanks survive the copy
    EXPECT_EQ(config("WPAPSK"), "");
    EXPECT_EQ(driverValue("CurProfile"), "Cafe");
    EXPECT_EQ(std::string(page.m_strCurSsid), " Cafe ");
    EXPECT_EQ(g_bProfileApplied, 1);
    // No station-profile key under the driver key: applied, named, and 0.
    EXPECT_EQ(page.ActivateProfile(0), 0);

    HKEY hKey = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey + "\\Profile\\Station\\Cafe", 0,
                              NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL),
              ERROR_SUCCESS);
    RegSetValueExA(hKey, "TXBurst", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 1);
    RegCloseKey(hKey);
    EXPECT_EQ(page.ActivateProfile(0), 1);
    EXPECT_EQ(driverValue("TXBurst"), "1");
}

TEST_F(ProfilePageTest, AddAndEditThroughTheEditor)
{
    writeSection(
        "PROF1",
        {{"SSID", "First"}, {"NetworkType", "1"}, {"AuthenType", "0"}, {"Encryption", "1"}});
    show();
    withEditor(std::to_string(IDC_PROFILE_ADD),
               [](HWND hEditor)
               {
                   EXPECT_EQ(std::string(static_cast<CProfileSheet*>(g_pProfileEditor)
                                             ->m_SysConfigPage.m_strProfileName),
                             "PROF2");
                   ASSERT_TRUE(
                       automation::SetText(hEditor, std::to_string(IDC_SC_SSID_COMBO), "Second"));
                   ASSERT_TRUE(automation::Click(hEditor, "OK"));
               });
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(row(1), (std::vector<std::string>{"PROF2", "Second", "1", "Open ", "None",
                                                "Infrastructure"}));
    EXPECT_EQ(host->page.m_ProfileList.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(value("PROF2", "SSID"), "Second");
    EXPECT_EQ(value("PROF1", "SSID"), "First");
    EXPECT_EQ(g_pProfileEditor, nullptr);

    // A new name asks, then appends a row for another profile; the old one stays.
    withEditor("row",
               [](HWND hEditor)
               {
                   ASSERT_TRUE(automation::SetText(
                       hEditor, std::to_string(IDC_SC_PROFILE_NAME_EDIT), "Renamed"));
                   ASSERT_TRUE(automation::Click(hEditor, "OK"));
               });
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"Create another profile?"});
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(row(2)[0], "Renamed");
    EXPECT_EQ(row(0)[0], "PROF1");
    EXPECT_EQ(value("Renamed", "SSID"), "First");
    EXPECT_EQ(value("PROF1", "SSID"), "First");
}

// A profile added anew inherits no certificate of the profile edited before it.
TEST_F(ProfilePageTest, AddBeginsWithNoCertificateChosen)
{
    const std::string root(40, 'a');
    writeSection("PROF1", {{"SSID", "First"},
                           {"NetworkType", "1"},
                           {"ServerCertLen", "20"},
                           {"ServerCertData", root}});
    show();
    pick(0);
    withEditor(std::to_string(IDC_PROFILE_EDIT),
               [](HWND hEditor) { ASSERT_TRUE(automation::Click(hEditor, "Cancel")); });
    ASSERT_EQ(g_nServerCertLen, 20);
    g_SelCertDlg.m_InputDesc.cbHash = 20;
    g_SelCertDlg.m_OutputDesc.cbHash = 20;
    strcpy(g_SelCertDlg.m_OutputDesc.szIssuedTo, "Owner");

    withEditor(std::to_string(IDC_PROFILE_ADD),
               [](HWND hEditor)
               {
                   EXPECT_EQ(GetCaCertDesc().cbHash, 0u);
                   EXPECT_EQ(g_SelCertDlg.m_InputDesc.cbHash, 0u);
                   EXPECT_EQ(g_SelCertDlg.m_OutputDesc.cbHash, 0u);
                   EXPECT_EQ(g_SelCertDlg.m_OutputDesc.szIssuedTo[0], '\0');
                   ASSERT_TRUE(
                       automation::SetText(hEditor, std::to_string(IDC_SC_SSID_COMBO), "Second"));
                   ASSERT_TRUE(automation::Click(hEditor, "OK"));
               });
    EXPECT_EQ(value("PROF2", "ServerCertLen"), "0");
    EXPECT_EQ(value("PROF2", "ServerCertData"), "");
    EXPECT_EQ(value("PROF1", "ServerCertData"), root);
}

// Add or Edit reached again inside the editor's modal loop (a posted command, a call from Site
// Survey) leaves the running editor alone: deleting it there ended the program.
TEST_F(ProfilePageTest, AddOrEditReachedAgainInsideTheEditorLeavesItRunning)
{
    writeSection("PROF1", {{"SSID", "First"}, {"NetworkType", "1"}});
    show();
    pick(0);
    withEditor(std::to_string(IDC_PROFILE_ADD),
               [&](HWND hEditor)
               {
                   CPropertySheet* pRunning = g_pProfileEditor;
                   EXPECT_EQ(host->page.AddProfile("Other", 1, 0, 1, 1), 0);
                   for (int nID : {IDC_PROFILE_ADD, IDC_PROFILE_EDIT})
                       ::SendMessageA(host->page.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                                      0);
                   EXPECT_EQ(g_pProfileEditor, pRunning);
                   EXPECT_EQ(g_pProfileEditor->m_hWnd, hEditor);
                   ASSERT_TRUE(automation::Click(hEditor, "Cancel"));
               });
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(g_pProfileEditor, nullptr);
}

TEST_F(ProfilePageTest, TheMainSheetClosingUnderTheEditorLeavesThePageAlone)
{
    show();
    ResetEvent(g_evtProfileEditor);
    int result = -1;
    platform::SetIdleHook(
        [&]
        {
            // What the monitor does on exit: end the editor, then delete the sheet and its
            // pages while the editor's modal loop still runs.
            g_bSheetClosing = 1;
            g_pProfileEditor->EndModalLoop(2);
            host->sheet.DestroyWindow();
            host.reset();
        });
    result = host->page.AddProfile("Net", 1, 0, 1, 1);
    platform::SetIdleHook(nullptr);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(WaitForSingleObject(g_evtProfileEditor, 0), WAIT_OBJECT_0);
    EXPECT_NE(g_pProfileEditor, nullptr); // kept for the next open to delete
    g_bSheetClosing = 0;
}

} // namespace
