// The dialog form of the Authentication and Security page: its own lists, LEAP's identity and
// password checked on OK, and the ASCII WEP keys converted to their stored form.

#include "client/profiles/AuthSecuDlg.h"
#include "client/access/AdapterState.h"
#include "client/app/SettingsStore.h"
#include "tests/client/dot1x/Dot1xFixture.h"

namespace
{

using dot1x_test::Dot1xTest;
namespace automation = platform::automation;
using Texts = std::vector<std::string>;

const char kTitle[] = "Authentication and Security";

class AuthSecuDlgTest : public Dot1xTest
{
protected:
    // Runs the dialog; `script` acts on it once it is up and ends it.
    INT_PTR run(CAuthSecuDlg& dlg, const std::function<void(HWND)>& script)
    {
        INT_PTR result = 0;
        withWindow(
            kTitle, [&] { result = dlg.DoModal(); }, script);
        return result;
    }
    void select(HWND hDlg, int nID, const char* entry)
    {
        ASSERT_TRUE(automation::SelectEntry(hDlg, std::to_string(nID), entry)) << entry;
    }
};

TEST_F(AuthSecuDlgTest, ItsListsOfferSharedAlwaysWpaNoneInAdhocAndTkipEverywhere)
{
    struct Case
    {
        BOOL infrastructure;
        int wpa;
        const char* auth;
        Texts authList;
        Texts encryption;
    } cases[] = {
        {1,
         6,
         "WPA2-PSK",
         {"Open", "Shared", "WPA", "WPA-PSK", "WPA2", "WPA2-PSK"},
         {"TKIP", "AES"}},
        {0, 6, "WPA-None", {"Open", "Shared", "WPA-None"}, {"TKIP", "AES"}},
        {0, 4, "WPA-None", {"Open", "Shared", "WPA-None"}, {"TKIP"}},
        {0, 0, "Shared", {"Open", "Shared"}, {"None", "WEP"}},
    };
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "CCX2Control", "3");
    for (const Case& c : cases)
    {
        g_nWpaSupport = c.wpa;
        CAuthSecuDlg dlg;
        dlg.m_bInfrastructure = c.infrastructure;
        EXPECT_EQ(run(dlg,
                      [&](HWND hDlg)
                      {
                          EXPECT_EQ(Entries(dlg.m_cbAuthType), c.authList) << c.auth;
                          select(hDlg, IDC_AS_AUTH_COMBO, c.auth);
                          EXPECT_EQ(Entries(dlg.m_cbEncryption), c.encryption) << c.auth;
                          EXPECT_EQ(text(dlg, IDOK), "OK");
                          EXPECT_EQ(text(dlg, IDCANCEL), "Cancel");
                          ASSERT_TRUE(automation::Click(hDlg, "Cancel"));
                      }),
                  IDCANCEL);
        EXPECT_EQ(dlg.m_bCcx, 1);
        EXPECT_EQ(dlg.m_bCckm, 1);
    }
}

TEST_F(AuthSecuDlgTest, LeapNeedsItsIdentityAndPassword)
{
    CAuthSecuDlg dlg;
    EXPECT_EQ(run(dlg,
                  [&](HWND hDlg)
                  {
                      // LEAP is in no list: added as the stored LEAP profile would show it.
                      dlg.m_cbAuthType.AddString("LEAP");
                      select(hDlg, IDC_AS_AUTH_COMBO, "LEAP");
                      dlg.SetDlgItemText(IDC_AS_LEAP_USER_EDIT, "   ");
                      dlg.SetDlgItemText(IDC_AS_LEAP_PASSWORD_EDIT, "secret");
                      dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                      auto shown = platform::MessageBoxLog();
                      ASSERT_EQ(shown.size(), 1u);
                      EXPECT_EQ(shown[0].text, "ID and Password required for LEAP!");
                      EXPECT_EQ(shown[0].type & MB_ICONMASK, MB_ICONERROR);
                      EXPECT_TRUE(IsWindow(hDlg)); // kept open
                      dlg.SetDlgItemText(IDC_AS_LEAP_USER_EDIT, "leap-user");
                      dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                  }),
              IDOK);
    EXPECT_EQ(dlg.m_bLeap, 1);
    EXPECT_EQ(std::string(dlg.m_strLeapUser), "leap-user");
}

TEST_F(AuthSecuDlgTest, OkTurnsTheAsciiKeysIntoTheirHexDigits)
{
    CAuthSecuDlg dlg;
    dlg.m_strWepKeyHex[1] = "0a1b2c3d4e";
    EXPECT_EQ(run(dlg,
                  [&](HWND hDlg)
                  {
                      select(hDlg, IDC_AS_ENCRYPT_COMBO, "WEP");
                      select(hDlg, IDC_AS_KEY1_TYPE, "ASCII");
                      ASSERT_TRUE(
                          automation::TypeText(hDlg, std::to_string(IDC_AS_KEY1_ASCII), "abcde"));
                      ASSERT_TRUE(automation::Click(hDlg, "OK"));
                  }),
              IDOK);
    EXPECT_EQ(std::string(dlg.m_strWepKeyHex[0]), "6162636465");
    EXPECT_EQ(std::string(dlg.m_strWepKeyAscii[0]), "abcde");
    EXPECT_EQ(std::string(dlg.m_strWepKeyHex[1]), "0a1b2c3d4e"); // a hex key stays as typed
}

} // namespace
