// The Authentication and Security page running the 802.1X sheet: when it opens and in which mode,
// what OK brings back (the client certificate chosen among it) and what Cancel leaves alone, and
// the PAC file's import and removal over files of the machine's drive.

#include "client/profiles/AuthSecuPage.h"
#include "tests/client/dot1x/Dot1xFixture.h"

#include <filesystem>
#include <fstream>

namespace
{

using dot1x_test::Bytes;
using dot1x_test::Dot1xTest;
using dot1x_test::Record;
namespace automation = platform::automation;

class Dot1xWiringTest : public Dot1xTest
{
protected:
    void showPage(BOOL bInfrastructure, const char* pszAuth)
    {
        page.m_bInfrastructure = bInfrastructure;
        Show({&page});
        ASSERT_TRUE(
            automation::SelectEntry(page.m_hWnd, std::to_string(IDC_AS_AUTH_COMBO), pszAuth));
    }
    void click8021xSetting()
    {
        // The button is kept hidden: a person cannot press it.
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_AS_8021X_SETTING, BN_CLICKED), 0);
    }
    // The 802.1X sheet up from the page's button; `script` acts on it and ends it.
    void run8021x(const std::function<void(C8021xSheet&)>& script)
    {
        withWindow(
            "802.1x Setting", [&] { click8021xSetting(); },
            [&](HWND hWnd)
            {
                CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
                ASSERT_TRUE(pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(C8021xSheet)));
                script(*static_cast<C8021xSheet*>(pWnd));
            });
    }
    static void press(C8021xSheet& s, int nButton) { ASSERT_TRUE(s.PressButton(nButton)); }
    std::string pacLine(C8021xSheet& s) { return text(s.m_AuthPage, IDC_DA_PAC_PATH); }
    std::filesystem::path hostFile(const char* pszName) { return m_machine.cDrive() / pszName; }
    std::string currentPac() { return g_pCurrentProfile->PACFilePath; }

    CAuthSecuPage page;
};

TEST_F(Dot1xWiringTest, TheSheetOpensForOpenSharedWpaAndWpa2InInfrastructureOnly)
{
    struct Case
    {
        BOOL infrastructure;
        const char* auth;
        bool opens;
        BOOL wpaMode;
    } cases[] = {
        {1, "Open", true, FALSE}, {1, "Shared", true, FALSE}, {1, "WPA", true, TRUE},
        {1, "WPA2", true, TRUE},  {1, "WPA-PSK", false, 0},   {1, "WPA2-PSK", false, 0},
        {0, "Open", false, 0},
    };
    for (const Case& c : cases)
    {
        const std::string what = std::string(c.auth) + (c.infrastructure ? "" : " ad hoc");
        CAuthSecuPage fresh;
        m_sheet.AddPage(&fresh);
        fresh.m_bInfrastructure = c.infrastructure;
        if (m_sheet.m_hWnd == 0)
        {
            ASSERT_TRUE(m_sheet.Create());
        }
        m_sheet.SetActivePage(&fresh);
        platform::PumpUntilIdle();
        ASSERT_TRUE(
            automation::SelectEntry(fresh.m_hWnd, std::to_string(IDC_AS_AUTH_COMBO), c.auth))
            << what;
        bool opened = false;
        platform::SetIdleHook(
            [&]
            {
                HWND hWnd = FindWindowA(NULL, "802.1x Setting");
                if (hWnd == 0)
                    return;
                opened = true;
                auto* pSheet = static_cast<C8021xSheet*>(CWnd::FromHandlePermanent(hWnd));
                EXPECT_EQ(pSheet->m_bWpaMode, c.wpaMode) << what;
                pSheet->PressButton(PSBTN_CANCEL);
            });
        fresh.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_AS_8021X_SETTING, BN_CLICKED), 0);
        platform::SetIdleHook(nullptr);
        EXPECT_EQ(opened, c.opens) << what;
        if (!c.opens)
        {
            EXPECT_FALSE(Enabled(fresh, IDC_AS_8021X_SETTING)) << what;
        }
        m_sheet.RemovePage(&fresh);
    }
}

TEST_F(Dot1xWiringTest, OkBringsTheRecordAndTheChosenCertificateBackAndCancelNothing)
{
    std::vector<BYTE> mine = dot1x_test::Thumbprints("MY").at(0);
    showPage(1, "Open");
    ASSERT_TRUE(automation::SelectEntry(page.m_hWnd, std::to_string(IDC_AS_ENCRYPT_COMBO), "WEP"));
    ASSERT_TRUE(automation::Click(page.m_hWnd, std::to_string(IDC_AS_USE_8021X_CHECK)));
    EXPECT_FALSE(Enabled(page, IDC_AS_KEY1_HEX)); // 802.1X with PEAP hands out the keys

    const Dot1xSettings before = page.m_dot1x;
    run8021x(
        [&](C8021xSheet& s)
        {
            automation::SelectEntry(s.m_AuthPage.m_hWnd, std::to_string(IDC_DA_METHOD_COMBO),
                                    "TLS/Smart Card");
            automation::TypeText(s.m_AuthPage.m_hWnd, std::to_string(IDC_DA_ID_EDIT), "who");
            press(s, PSBTN_CANCEL);
        });
    EXPECT_EQ(page.m_dot1x.nAuthenProtocol, before.nAuthenProtocol);
    EXPECT_EQ(std::string(page.m_dot1x.strID), std::string(before.strID));
    EXPECT_EQ(g_nClientCertLen, 0);

    run8021x(
        [&](C8021xSheet& s)
        {
            HWND hAuth = s.m_AuthPage.m_hWnd;
            automation::SelectEntry(hAuth, std::to_string(IDC_DA_METHOD_COMBO), "TLS/Smart Card");
            automation::TypeText(hAuth, std::to_string(IDC_DA_ID_EDIT), "who");
            // As the selection dialog's OK leaves the page.
            CertDesc chosen;
            strcpy(chosen.szIssuedTo, "Owner");
            chosen.cbHash = 20;
            memcpy(chosen.abHash, mine.data(), 20);
            s.m_AuthPage.m_ClientCert = chosen;
            s.m_AuthPage.SetDlgItemText(IDC_DA_ISSUED_TO, "Issued To : Owner");
            press(s, PSBTN_OK);
        });
    EXPECT_EQ(page.m_dot1x.nAuthenProtocol, DOT1X_METHOD_TLS);
    EXPECT_EQ(std::string(page.m_dot1x.strID), "who");
    EXPECT_EQ(page.m_dot1x.bUseClientCert, 1);
    EXPECT_EQ(Bytes(g_pClientCertData, g_nClientCertLen), mine);
    EXPECT_FALSE(Enabled(page, IDC_AS_KEY1_HEX));

    // MD5-Challenge hands out no keys: the WEP keys come back.
    run8021x(
        [&](C8021xSheet& s)
        {
            HWND hAuth = s.m_AuthPage.m_hWnd;
            automation::SelectEntry(hAuth, std::to_string(IDC_DA_METHOD_COMBO), "Md5-Challenge");
            automation::TypeText(hAuth, std::to_string(IDC_DA_PASSWORD_EDIT), "md5-pass");
            press(s, PSBTN_OK);
        });
    EXPECT_EQ(page.m_dot1x.nAuthenProtocol, DOT1X_METHOD_MD5);
    EXPECT_TRUE(Enabled(page, IDC_AS_KEY1_HEX));
    EXPECT_EQ(g_nClientCertLen, 0); // no certificate chosen in that run
}

TEST_F(Dot1xWiringTest, PacImportAndRemoveChangeTheCurrentProfileOnlyWithOk)
{
    std::filesystem::create_directories(hostFile("pac"));
    std::ofstream(hostFile("old.pac")) << "old";
    std::ofstream(hostFile("pac/new.pac")) << "new";
    currentProfile("C:\\old.pac");
    Dot1xSettings fast = Record(DOT1X_METHOD_FAST);
    fast.nTunnelProtocol = 26;
    fast.nProvisioningTunnel = 26;
    fast.strTunnelID = "in";
    fast.strTunnelPassword = "pw";
    fast.bUsePAC = 1;
    showPage(1, "Open");
    page.m_dot1x = fast;
    platform::SetFileDialogAnswer([](const platform::FileDialogRequest&)
                                  { return std::optional<std::string>("C:\\pac\\new.pac"); });
    auto import = [](C8021xSheet& s)
    { automation::Click(s.m_AuthPage.m_hWnd, std::to_string(IDC_DA_PAC_IMPORT)); };
    auto remove = [](C8021xSheet& s)
    { automation::Click(s.m_AuthPage.m_hWnd, std::to_string(IDC_DA_PAC_REMOVE)); };

    // Import, then Cancel: nothing changes.
    run8021x(
        [&](C8021xSheet& s)
        {
            EXPECT_EQ(pacLine(s), "File Path : C:\\old.pac");
            EXPECT_TRUE(Enabled(s.m_AuthPage, IDC_DA_PAC_REMOVE));
            import(s);
            EXPECT_EQ(pacLine(s), "File Path : C:\\pac\\new.pac");
            press(s, PSBTN_CANCEL);
        });
    ASSERT_EQ(platform::FileDialogLog().size(), 1u);
    const platform::FileDialogRequest request = platform::FileDialogLog()[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.initialName, "*.pac");
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, "PAC Files(*.pac)");
    EXPECT_EQ(request.filters[0].pattern, "*.pac");
    EXPECT_NE(request.flags & OFN_FILEMUSTEXIST, 0u);
    EXPECT_EQ(currentPac(), "C:\\old.pac");
    EXPECT_EQ(std::string(page.m_dot1x.strPACFilePath), "");

    // Remove deletes the file at once; Cancel still leaves the current profile's path.
    run8021x(
        [&](C8021xSheet& s)
        {
            remove(s);
            EXPECT_EQ(pacLine(s), "File Path : ");
            press(s, PSBTN_CANCEL);
        });
    EXPECT_FALSE(std::filesystem::exists(hostFile("old.pac")));
    EXPECT_EQ(currentPac(), "C:\\old.pac");

    // Import, then OK: the current profile takes the path.
    run8021x(
        [&](C8021xSheet& s)
        {
            import(s);
            press(s, PSBTN_OK);
        });
    EXPECT_EQ(currentPac(), "C:\\pac\\new.pac");
    EXPECT_EQ(std::string(page.m_dot1x.strPACFilePath), "C:\\pac\\new.pac");

    // A path the profile's field cannot hold is not taken.
    platform::SetFileDialogAnswer(
        [](const platform::FileDialogRequest&)
        { return std::optional<std::string>("C:\\" + std::string(300, 'p')); });
    run8021x(
        [&](C8021xSheet& s)
        {
            import(s);
            EXPECT_EQ(pacLine(s), "File Path : C:\\pac\\new.pac");
            // Remove, then OK: the file goes and the current profile has no path.
            remove(s);
            press(s, PSBTN_OK);
        });
    EXPECT_FALSE(std::filesystem::exists(hostFile("pac/new.pac")));
    EXPECT_EQ(currentPac(), "");

    // Without the PAC (any method but FAST) OK clears the path, Cancel does not.
    currentProfile("C:\\kept.pac");
    page.m_dot1x = Record();
    run8021x([&](C8021xSheet& s) { press(s, PSBTN_CANCEL); });
    EXPECT_EQ(currentPac(), "C:\\kept.pac");
    page.m_dot1x.strTunnelID = "in";
    page.m_dot1x.strTunnelPassword = "pw";
    run8021x([&](C8021xSheet& s) { press(s, PSBTN_OK); });
    EXPECT_EQ(currentPac(), "");
    EXPECT_TRUE(boxes().empty());
}

} // namespace
