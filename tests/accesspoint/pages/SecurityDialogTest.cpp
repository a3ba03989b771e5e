// The access point's security dialog: the authentication and encryption lists and what they
// store, which controls each choice enables, the key checks of OK with their messages, how keys
// are stored, and the end of the dialog.

#include "accesspoint/pages/AuthSecuDlg.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynAp/resource.h"
#include "tests/accesspoint/support/ApMachine.h"
#include "tests/accesspoint/support/ControlView.h"

#include <string>
#include <vector>

namespace
{

using ap_test::SelectedText;
using ap_test::View;
using platform::automation::Click;
using platform::automation::SelectEntry;
using platform::automation::SetText;
using platform::automation::TypeText;
using Texts = std::vector<std::string>;

const char kPskMessage[] = "Invalid Key Length  -  WPA-PSK requires 8~32 ASCII characters";
const char kWepMessage[] =
    "Invalid Key Length  -  WEP requires 5 or 13 characters. \n(Note : 1 character is 2 hexa)";
const int kHex[] = {IDC_SECU_KEY1_HEX, IDC_SECU_KEY2_HEX, IDC_SECU_KEY3_HEX, IDC_SECU_KEY4_HEX};
const int kAscii[] = {IDC_SECU_KEY1_ASCII, IDC_SECU_KEY2_ASCII, IDC_SECU_KEY3_ASCII,
                      IDC_SECU_KEY4_ASCII};
const int kType[] = {IDC_SECU_KEY1_TYPE, IDC_SECU_KEY2_TYPE, IDC_SECU_KEY3_TYPE,
                     IDC_SECU_KEY4_TYPE};

class SecurityDialogTest : public ap_test::ApMachine
{
protected:
    void TearDown() override
    {
        Close();
        ApMachine::TearDown();
    }

    // The dialog, modeless, on a copy of the record.
    void Open(const ApSecuritySettings& settings)
    {
        Close();
        m_pDlg = std::make_unique<CAuthSecuDlg>();
        m_pDlg->m_Settings = settings;
        ASSERT_TRUE(m_pDlg->Create(IDD_AUTHSECU_DIALOG));
        platform::PumpUntilIdle();
    }
    void Close()
    {
        if (m_pDlg && m_pDlg->m_hWnd != 0)
            m_pDlg->DestroyWindow();
        m_pDlg.reset();
    }
    HWND hwnd() const { return m_pDlg->m_hWnd; }
    ap_test::WindowNode view(int nID) const { return View(hwnd(), nID); }

    // OK: the record when the dialog took it, else the message it showed.
    std::string PressOk()
    {
        platform::ClearMessageBoxLog();
        platform::ScriptMessageBoxAnswers({IDOK});
        EXPECT_TRUE(Click(hwnd(), "OK"));
        platform::PumpUntilIdle();
        auto log = platform::MessageBoxLog();
        if (log.empty())
        {
            platform::ScriptMessageBoxAnswers({});
            return "";
        }
        EXPECT_EQ(log[0].type, static_cast<UINT>(MB_OK));
        return log[0].text;
    }

    std::unique_ptr<CAuthSecuDlg> m_pDlg;
};

ApSecuritySettings Settings(int nAuth, int nEncryption, const char* pszPsk = "")
{
    ApSecuritySettings s;
    s.nAuthMode = nAuth;
    s.nEncryption = nEncryption;
    s.strWpaPsk = pszPsk;
    return s;
}

TEST_F(SecurityDialogTest, AuthenticationPositionsShowAndStoreTheirCodes)
{
    const struct
    {
        int stored;
        const char* shown;
        int saved;
    } cases[] = {
        {0, "Open", 0},    {1, "Shared", 1},
        {2, "WPA-PSK", 4}, {3, "WPA2-PSK", 7},
        {4, "WPA-PSK", 4}, {5, "Open", 0},
        {6, "Open", 0},    {7, "WPA2-PSK", 7},
        {8, "Open", 0},    {9, "WPA-PSK/WPA2-PSK", 9},
        {-3, "Open", 0},
    };
    for (const auto& c : cases)
    {
        // Shared needs a default key; the WPA types a passphrase.
        ApSecuritySettings s = Settings(c.stored, 1, "orchard-secret");
        s.strKey[0] = "0123456789";
        Open(s);
        EXPECT_EQ(view(IDC_SECU_AUTH_COMBO).items,
                  (Texts{"Open", "Shared", "WPA-PSK", "WPA2-PSK", "WPA-PSK/WPA2-PSK"}));
        EXPECT_EQ(SelectedText(view(IDC_SECU_AUTH_COMBO)), c.shown) << c.stored;
        EXPECT_EQ(PressOk(), "") << c.stored;
        EXPECT_EQ(m_pDlg->m_Settings.nAuthMode, c.saved) << c.stored;
    }
    EXPECT_EQ(std::string(view(IDC_SECU_REKEY_LABEL).text), "Group Rekey Interval");
    EXPECT_EQ(std::string(view(IDC_SECU_WEP_NOTE).text).rfind("* WEP 64 Bits Encryption:", 0), 0u);
    char szTitle[64] = {0};
    ::GetWindowTextA(hwnd(), szTitle, sizeof(szTitle));
    EXPECT_STREQ(szTitle, "Security Setting");
}

TEST_F(SecurityDialogTest, EncryptionListFollowsTheAuthenticationAndStoresItsCode)
{
    const struct
    {
        const char* auth;
        Texts list;
        std::vector<int> codes; // stored for each entry in turn
    } cases[] = {
        {"Open", {"Not Use", "WEP"}, {1, 0}},
        {"Shared", {"Not Use", "WEP"}, {1, 0}},
        {"WPA-PSK", {"TKIP", "AES"}, {4, 6}},
        {"WPA2-PSK", {"TKIP", "AES", "BOTH"}, {4, 6, 8}},
        {"WPA-PSK/WPA2-PSK", {"TKIP", "AES"}, {4, 6}},
    };
    for (const auto& c : cases)
    {
        for (std::size_t i = 0; i < c.codes.size(); i++)
        {
            ApSecuritySettings s = Settings(0, 1, "orchard-secret");
            s.strKey[0] = "0123456789";
            Open(s);
            ASSERT_TRUE(SelectEntry(hwnd(), "1012", c.auth));
            EXPECT_EQ(view(IDC_SECU_ENCRYPT_COMBO).items, c.list) << c.auth;
            ASSERT_TRUE(SelectEntry(hwnd(), "1111", c.list[i]));
            EXPECT_EQ(PressOk(), "");
            EXPECT_EQ(m_pDlg->m_Settings.nEncryption, c.codes[i]) << c.auth << " " << c.list[i];
        }
    }

    // Stored codes select their entries; BOTH has no entry under WPA-PSK and shows as TKIP.
    const struct
    {
        int auth;
        int encryption;
        const char* shown;
    } stored[] = {{0, 0, "WEP"},  {0, 1, "Not Use"}, {1, 4, "Not Use"}, {4, 6, "AES"},
                  {4, 8, "TKIP"}, {7, 8, "BOTH"},    {9, 4, "TKIP"}};
    for (const auto& c : stored)
    {
        Open(Settings(c.auth, c.encryption));
        EXPECT_EQ(SelectedText(view(IDC_SECU_ENCRYPT_COMBO)), c.shown)
            << c.auth << "/" << c.encryption;
    }
}

TEST_F(SecurityDialogTest, EachChoiceEnablesItsOwnControls)
{
    const struct
    {
        const char* auth;
        const char* encryption;
        bool psk;
        bool wep;
    } cases[] = {
        {"Open", "Not Use", false, false},        {"Open", "WEP", false, true},
        {"Shared", "Not Use", false, true},       {"Shared", "WEP", false, true},
        {"WPA-PSK", "TKIP", true, false},         {"WPA2-PSK", "BOTH", true, false},
        {"WPA-PSK/WPA2-PSK", "AES", true, false},
    };
    Open(Settings(0, 1));
    for (const auto& c : cases)
    {
        ASSERT_TRUE(SelectEntry(hwnd(), "1012", c.auth));
        ASSERT_TRUE(SelectEntry(hwnd(), "1111", c.encryption));
        std::string label = std::string(c.auth) + "/" + c.encryption;
        EXPECT_EQ(view(IDC_SECU_PSK_EDIT).enabled, c.psk) << label;
        EXPECT_EQ(view(IDC_SECU_REKEY_EDIT).enabled, c.psk) << label;
        EXPECT_EQ(view(IDC_SECU_REKEY_UNIT).enabled, c.psk) << label;
        for (int nID :
             {IDC_SECU_WEP_GROUP, IDC_SECU_WEP_NOTE, IDC_SECU_KEY1_RADIO, IDC_SECU_KEY4_RADIO,
              IDC_SECU_KEY2_TYPE, IDC_SECU_KEY3_HEX, IDC_SECU_KEY4_ASCII})
            EXPECT_EQ(view(nID).enabled, c.wep) << label << " " << nID;
    }

    // The type decides which of a key's two edits shows.
    ASSERT_TRUE(SelectEntry(hwnd(), "1012", "Shared"));
    ASSERT_TRUE(SelectEntry(hwnd(), std::to_string(kType[2]), "ASCII"));
    EXPECT_FALSE(view(kHex[2]).visible);
    EXPECT_TRUE(view(kAscii[2]).visible);
    EXPECT_TRUE(view(kHex[1]).visible);
    EXPECT_FALSE(view(kAscii[1]).visible);

    // The rekey unit toggles between its two texts.
    Open(Settings(4, 4, "orchard-secret"));
    EXPECT_EQ(view(IDC_SECU_REKEY_UNIT).text, "10 seconds");
    ASSERT_TRUE(Click(hwnd(), "1130"));
    EXPECT_EQ(view(IDC_SECU_REKEY_UNIT).text, "Kpackets");
    EXPECT_EQ(PressOk(), "");
    EXPECT_EQ(m_pDlg->m_Settings.nRekeyMethod, 1);
}

TEST_F(SecurityDialogTest, PreSharedKeyRules)
{
    const std::string hex64 = "0123456789abcdef0123456789ABCDEF0123456789abcdef0123456789abcdef";
    const struct
    {
        std::string psk;
        bool passes;
    } cases[] = {
        {"", false},
        {"1234567", false},
        {"12345678", true},
        {std::string(63, '~'), true},
        {hex64, true},
        {hex64.substr(0, 63) + "g", false},
        {std::string(64, 'G'), false},
    };
    for (const char* pszAuth : {"WPA-PSK", "WPA2-PSK", "WPA-PSK/WPA2-PSK"})
    {
        for (const auto& c : cases)
        {
            Open(Settings(0, 1));
            ASSERT_TRUE(SelectEntry(hwnd(), "1012", pszAuth));
            ASSERT_TRUE(SetText(hwnd(), "1053", c.psk));
            EXPECT_EQ(PressOk(), c.passes ? "" : kPskMessage) << pszAuth << " " << c.psk;
            EXPECT_EQ(m_pDlg->m_Settings.strWpaPsk, c.passes ? c.psk.c_str() : "") << c.psk;
        }
    }
}

TEST_F(SecurityDialogTest, WepKeyRules)
{
    const struct
    {
        const char* auth;
        const char* encryption;
        int defaultKey;
        std::vector<std::pair<int, std::string>> keys; // type (0 hex, 1 ASCII), text
        bool passes;
    } cases[] = {
        {"Shared", "Not Use", 0, {}, false}, // the default key must be set
        {"Open", "Not Use", 0, {}, true},    // no WEP: no check
        {"Open", "WEP", 0, {{0, "0123456789"}}, true},
        {"Open", "WEP", 0, {{0, "0123456789abcdef0123456789"}}, true},
        {"Open", "WEP", 0, {{0, "012345678"}}, false},
        {"Open", "WEP", 0, {{1, "abcde"}}, true},
        {"Open", "WEP", 0, {{1, "abcdefghijklm"}}, true},
        {"Open", "WEP", 0, {{1, "abcdef"}}, false},
        {"Shared", "WEP", 1, {{0, "0123456789"}, {0, ""}}, false},
        {"Shared", "WEP", 1, {{0, ""}, {1, "abcde"}}, true},
        {"Shared", "WEP", 0, {{0, "0123456789"}, {1, "abc"}}, false}, // every key is checked
        {"Shared", "WEP", 0, {{0, "zz23456789"}}, false},             // pasted, not hex
    };
    for (const auto& c : cases)
    {
        Open(Settings(0, 1));
        ASSERT_TRUE(SelectEntry(hwnd(), "1012", c.auth));
        ASSERT_TRUE(SelectEntry(hwnd(), "1111", c.encryption));
        if (view(IDC_SECU_KEY1_RADIO).enabled)
        {
            const int radios[] = {IDC_SECU_KEY1_RADIO, IDC_SECU_KEY2_RADIO};
            ASSERT_TRUE(Click(hwnd(), std::to_string(radios[c.defaultKey])));
        }
        for (std::size_t i = 0; i < c.keys.size(); i++)
        {
            const auto& [type, text] = c.keys[i];
            ASSERT_TRUE(SelectEntry(hwnd(), std::to_string(kType[i]), type ? "ASCII" : "Hex"));
            ASSERT_TRUE(SetText(hwnd(), std::to_string(type ? kAscii[i] : kHex[i]), text));
        }
        std::string label = std::string(c.auth) + "/" + c.encryption + "/" +
                            (c.keys.empty() ? "" : c.keys.back().second);
        EXPECT_EQ(PressOk(), c.passes ? "" : kWepMessage) << label;
    }
}

TEST_F(SecurityDialogTest, KeysAreStoredAsHexAndComeBackAsTyped)
{
    ApSecuritySettings s = Settings(0, 0);
    s.nKeyType[1] = 1;
    s.strKey[2] = "ffffffffff";
    Open(s);
    ASSERT_TRUE(TypeText(hwnd(), std::to_string(kHex[0]), "AbCdE01234"));
    ASSERT_TRUE(TypeText(hwnd(), std::to_string(kAscii[1]), "Ab~cd"));
    // A character above 0x7F still gives two digits.
    ASSERT_TRUE(SelectEntry(hwnd(), std::to_string(kType[3]), "ASCII"));
    ASSERT_TRUE(SetText(hwnd(), std::to_string(kAscii[3]), "\xE9t\xE9zz"));
    ASSERT_TRUE(Click(hwnd(), "1063"));
    EXPECT_EQ(PressOk(), "");
    const ApSecuritySettings& out = m_pDlg->m_Settings;
    EXPECT_EQ(out.nEncryption, 0);
    EXPECT_EQ(out.nDefaultKey, 1);
    EXPECT_EQ(std::string(out.strKey[0]), "abcde01234"); // the hex edit keeps lower case
    EXPECT_EQ(std::string(out.strKey[1]), "41627e6364");
    EXPECT_EQ(std::string(out.strKey[2]), "ffffffffff");
    EXPECT_EQ(std::string(out.strKey[3]), "e974e97a7a");
    EXPECT_EQ(out.nKeyType[3], 1);

    // Opened again, the ASCII keys show their characters and the hex ones their digits.
    Open(ApSecuritySettings(out));
    EXPECT_EQ(view(kHex[0]).text, "abcde01234");
    EXPECT_EQ(view(kAscii[1]).text, "Ab~cd");
    EXPECT_EQ(view(kAscii[3]).text, "\xE9t\xE9zz");
    EXPECT_EQ(view(kHex[1]).text, "");
    EXPECT_TRUE(view(IDC_SECU_KEY2_RADIO).checked);

    // A stored ASCII key that is not 10 or 26 digits shows nothing, and an empty ASCII key is
    // stored empty.
    s = Settings(1, 0);
    s.nKeyType[0] = 1;
    s.strKey[0] = "6162636465";
    s.nKeyType[1] = 1;
    s.strKey[1] = "616263";
    s.nKeyType[2] = 1;
    s.strKey[2] = "6162636465";
    Open(s);
    EXPECT_EQ(view(kAscii[1]).text, "");
    ASSERT_TRUE(SetText(hwnd(), std::to_string(kAscii[2]), ""));
    EXPECT_EQ(PressOk(), "");
    EXPECT_EQ(std::string(m_pDlg->m_Settings.strKey[0]), "6162636465");
    EXPECT_EQ(std::string(m_pDlg->m_Settings.strKey[1]), "");
    EXPECT_EQ(std::string(m_pDlg->m_Settings.strKey[2]), "");
}

TEST_F(SecurityDialogTest, WpaChoicesLeaveTheStoredWepKeysAlone)
{
    ApSecuritySettings s = Settings(0, 0);
    s.strKey[0] = "0123456789";
    s.nKeyType[1] = 1;
    s.strKey[1] = "6162636465";
    Open(s);
    ASSERT_TRUE(SetText(hwnd(), std::to_string(kHex[0]), "9876543210"));
    ASSERT_TRUE(SelectEntry(hwnd(), "1012", "WPA2-PSK"));
    ASSERT_TRUE(SelectEntry(hwnd(), "1111", "AES"));
    ASSERT_TRUE(SetText(hwnd(), "1053", "orchard-secret"));
    EXPECT_EQ(PressOk(), "");
    EXPECT_EQ(m_pDlg->m_Settings.nAuthMode, 7);
    EXPECT_EQ(m_pDlg->m_Settings.nEncryption, 6);
    EXPECT_EQ(std::string(m_pDlg->m_Settings.strWpaPsk), "orchard-secret");
    EXPECT_EQ(std::string(m_pDlg->m_Settings.strKey[0]), "0123456789");
    EXPECT_EQ(std::string(m_pDlg->m_Settings.strKey[1]), "6162636465");
}

TEST_F(SecurityDialogTest, ShowPasswordClearsThePasswordCharacterOfEveryKey)
{
    Open(Settings(0, 1)); // every key edit disabled
    ASSERT_EQ(view(kHex[0]).passwordChar, '*');
    ASSERT_TRUE(Click(hwnd(), "Show Password"));
    for (int nID : {kHex[0], kAscii[3], static_cast<int>(IDC_SECU_PSK_EDIT)})
    {
        EXPECT_EQ(view(nID).passwordChar, '\0') << nID;
        EXPECT_FALSE(view(nID).enabled) << nID;
    }
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(hwnd(), IDC_SECU_PSK_EDIT));
    ASSERT_TRUE(Click(hwnd(), "Show Password"));
    EXPECT_EQ(view(kAscii[2]).passwordChar, '*');
}

TEST_F(SecurityDialogTest, DestroyedWhileUpEndsAsCancelAndOkKeepsItsResult)
{
    CAuthSecuDlg dlg;
    EXPECT_EQ(ap_test::RunModal(dlg, [&] { dlg.DestroyWindow(); }), IDCANCEL);

    CAuthSecuDlg ok;
    ok.m_Settings = Settings(0, 1);
    bool bStayedUp = false;
    EXPECT_EQ(ap_test::RunModal(
                  ok, [&] { Click(ok.m_hWnd, "OK"); }, &bStayedUp),
              IDOK);
    EXPECT_FALSE(bStayedUp);

    CAuthSecuDlg cancel;
    EXPECT_EQ(ap_test::RunModal(cancel, [&] { Click(cancel.m_hWnd, "Cancel"); }), IDCANCEL);
}

} // namespace
