#include "client/profiles/AuthSecuPage.h"
#include "client/profiles/SysConfigPage.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynUI/resource.h"
#include "tests/client/profilepages/PageHost.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using platform::automation::SelectEntry;
using platform::automation::TypeText;
using Texts = std::vector<std::string>;

class AuthSecuPageTest : public profilepages::PageTest
{
protected:
    // The page in a sheet of its own, after the first activation.
    void ShowAuth(BOOL bInfrastructure)
    {
        auth.m_bInfrastructure = bInfrastructure;
        Show({&auth});
    }
    bool KeyEnabled(int nKey)
    {
        const int hex[] = {IDC_AS_KEY1_HEX, IDC_AS_KEY2_HEX, IDC_AS_KEY3_HEX, IDC_AS_KEY4_HEX};
        return Enabled(auth, hex[nKey]);
    }

    CAuthSecuPage auth;
};

TEST_F(AuthSecuPageTest, BothNumberingsOfAuthentication)
{
    struct Case
    {
        int os;
        int index;
        BOOL infrastructure;
        int mode;
        int leap;
    };
    const Case toMode[] = {
        {11, 0, 1, 0, 0}, {11, 1, 1, 1, 0}, {11, 2, 1, 0, 1}, {11, 3, 1, 0, 1}, {11, 2, 0, 5, 0},
        {11, 3, 0, 5, 0}, {11, 4, 1, 3, 0}, {11, 5, 1, 4, 0}, {11, 6, 1, 6, 0}, {11, 7, 0, 7, 0},
        {9, 6, 1, 3, 0},  {9, 7, 1, 4, 0},  {8, 7, 1, 7, 0},  {13, 6, 1, 3, 0}, {11, -1, 1, 0, 0},
    };
    for (const Case& c : toMode)
    {
        OsVersionCode = c.os;
        int bLeap = 0;
        EXPECT_EQ(CAuthSecuPage::AuthModeFromIndex(c.index, c.infrastructure, &bLeap), c.mode)
            << "os " << c.os << " index " << c.index;
        EXPECT_EQ(bLeap, c.leap) << "os " << c.os << " index " << c.index;
    }

    struct Back
    {
        int os;
        int mode;
        BOOL leap;
        int index;
    };
    const Back toIndex[] =
        {
            {11, 0, 0, 0}, {11, 0, 1, 2}, {11, 1, 0, 1}, {11, 5, 0, 3},
            {11, 3, 0, 4}, {11, 4, 0, 5}, {11, 6, 0, 6}, {11, 7, 0, 7},
            {9, 6, 0, 4},  {9, 7, 0, 5},  {11, 2, 0, 6}, // no mode 2: the current index stays
        };
    for (const Back& b : toIndex)
    {
        OsVersionCode = b.os;
        EXPECT_EQ(CAuthSecuPage::AuthIndexFromMode(b.mode, b.leap, 6), b.index)
            << "os " << b.os << " mode " << b.mode;
    }

    for (int i = 0; i <= 7; i++)
        EXPECT_EQ(CAuthSecuPage::AuthTypeFromText(CAuthSecuPage::AuthTypeText(i)), i);
    EXPECT_EQ(std::string(CAuthSecuPage::AuthTypeText(8)), "Open");
    EXPECT_EQ(CAuthSecuPage::AuthTypeFromText("wpa2-psk"), 0);
}

TEST_F(AuthSecuPageTest, AuthenticationListByNetworkTypeSupportAndOs)
{
    struct Case
    {
        const char* what;
        BOOL infrastructure;
        int os;
        int wpa;
        BOOL allow;
        Texts expected;
    };
    const Case cases[] = {
        {"infrastructure", 1, 11, 6, 1, {"Open", "Shared", "WPA", "WPA-PSK", "WPA2", "WPA2-PSK"}},
        {"XP", 1, 8, 4, 1, {"Open", "Shared", "WPA", "WPA-PSK", "WPA2", "WPA2-PSK"}},
        {"Server 2003", 1, 9, 6, 1, {"Open", "Shared", "WPA", "WPA-PSK"}},
        {"ad hoc", 0, 11, 6, 1, {"Open", "WPA2-PSK"}},
        {"secured connect not allowed", 1, 11, 6, 0, {"Open", "Shared"}},
        {"no WPA support", 1, 11, 2, 1, {"Open", "Shared"}},
    };
    for (const Case& c : cases)
    {
        OsVersionCode = c.os;
        g_nWpaSupport = c.wpa;
        g_bAllowSecuredConnect = c.allow;
        CPropertySheet sheet("list");
        CAuthSecuPage page;
        page.m_bInfrastructure = c.infrastructure;
        sheet.AddPage(&page);
        ASSERT_TRUE(sheet.Create());
        platform::PumpUntilIdle();
        EXPECT_EQ(Entries(page.m_cbAuthType), c.expected) << c.what;
        sheet.DestroyWindow();
    }
}

TEST_F(AuthSecuPageTest, EncryptionListByAuthenticationAndSupport)
{
    struct Case
    {
        BOOL infrastructure;
        int wpa;
        const char* auth;
        Texts expected;
        bool pskEnabled;
    };
    const Case cases[] = {
        {1, 6, "Open", {"None", "WEP"}, false},    {1, 6, "Shared", {"None", "WEP"}, false},
        {1, 6, "WPA", {"TKIP", "AES"}, false},     {1, 6, "WPA-PSK", {"TKIP", "AES"}, true},
        {1, 6, "WPA2-PSK", {"TKIP", "AES"}, true}, {1, 4, "WPA", {"TKIP"}, false},
        {0, 6, "WPA2-PSK", {"AES"}, true},         {0, 4, "WPA2-PSK", {}, true},
    };
    for (const Case& c : cases)
    {
        g_nWpaSupport = c.wpa;
        CPropertySheet sheet("list");
        CAuthSecuPage page;
        page.m_bInfrastructure = c.infrastructure;
        page.m_nEncryptIndex = 1;
        sheet.AddPage(&page);
        ASSERT_TRUE(sheet.Create());
        platform::PumpUntilIdle();
        ASSERT_TRUE(SelectEntry(page.m_hWnd, std::to_string(IDC_AS_AUTH_COMBO), c.auth)) << c.auth;
        EXPECT_EQ(Entries(page.m_cbEncryption), c.expected) << c.auth;
        EXPECT_EQ(Enabled(page, IDC_AS_PSK_EDIT), c.pskEnabled) << c.auth;
        // An empty list reads as the first entry, never as -1.
        page.SyncAuthControls(TRUE);
        EXPECT_GE(page.m_nEncryptIndex, 0) << c.auth;
        EXPECT_LT(page.m_nEncryptIndex, c.expected.empty() ? 1 : int(c.expected.size()));
        sheet.DestroyWindow();
    }
}

TEST_F(AuthSecuPageTest, StoredModesShowAsTheEntriesOffered)
{
    struct Case
    {
        const char* what;
        BOOL infrastructure;
        int os;
        int mode;
        BOOL leap;
        const char* shown;
        int savedIndex;
        int savedMode;
    };
    const Case cases[] = {
        {"WPA2 on Server 2003", 1, 9, 6, 0, "WPA", 4, 3},
        {"WPA2-PSK on Server 2003", 1, 9, 7, 0, "WPA-PSK", 5, 4},
        {"LEAP", 1, 11, 0, 1, "Open", 0, 0},
        {"WPA in ad hoc", 0, 11, 3, 0, "WPA2-PSK", 7, 7},
        {"WPA2 in ad hoc", 0, 11, 6, 0, "WPA2-PSK", 7, 7},
        {"WPA-None in ad hoc", 0, 11, 5, 0, "Open", 0, 0},
        {"WPA-None in ad hoc on Server 2003", 0, 9, 5, 0, "WPA2-PSK", 7, 4},
        {"WPA-PSK in ad hoc on Server 2003", 0, 9, 4, 0, "WPA2-PSK", 7, 4},
        {"WPA in ad hoc on Server 2003", 0, 9, 3, 0, "WPA2-PSK", 7, 4},
    };
    for (const Case& c : cases)
    {
        OsVersionCode = c.os;
        CPropertySheet sheet("stored");
        CAuthSecuPage page;
        page.m_bInfrastructure = c.infrastructure;
        page.m_nAuthMode = c.mode;
        page.m_bLeap = c.leap;
        sheet.AddPage(&page);
        ASSERT_TRUE(sheet.Create());
        platform::PumpUntilIdle();
        EXPECT_EQ(Selected(page.m_cbAuthType), c.shown) << c.what;
        page.SyncAuthControls(TRUE);
        EXPECT_EQ(page.m_nAuthIndex, c.savedIndex) << c.what;
        EXPECT_EQ(page.m_nAuthMode, c.savedMode) << c.what;
        EXPECT_EQ(page.m_bLeap, 0) << c.what;
        sheet.DestroyWindow();
    }
}

TEST_F(AuthSecuPageTest, AdhocWpaStaysChosenWithoutWpa2)
{
    OsVersionCode = 9;
    ShowAuth(0);
    ASSERT_TRUE(SelectEntry(auth.m_hWnd, std::to_string(IDC_AS_AUTH_COMBO), "WPA2-PSK"));
    EXPECT_EQ(Selected(auth.m_cbAuthType), "WPA2-PSK");
    EXPECT_EQ(Entries(auth.m_cbEncryption), (Texts{"AES"}));
    EXPECT_TRUE(Enabled(auth, IDC_AS_PSK_EDIT));
    auth.SyncAuthControls(TRUE);
    EXPECT_EQ(auth.m_nAuthMode, 4);
}

TEST_F(AuthSecuPageTest, OutOfRangeEncryptionIndexBecomesZero)
{
    g_nWpaSupport = 4;
    auth.m_nAuthMode = 4;
    auth.m_nEncryptIndex = 1;
    ShowAuth(1);
    EXPECT_EQ(Entries(auth.m_cbEncryption), (Texts{"TKIP"}));
    EXPECT_EQ(Selected(auth.m_cbEncryption), "TKIP");
    EXPECT_EQ(auth.m_nEncryptIndex, 0);
}

TEST_F(AuthSecuPageTest, WepKeysFollowEncryptionNetworkTypeAnd8021x)
{
    ShowAuth(1);
    // Open without encryption: no keys, no pre-shared key.
    EXPECT_EQ(Selected(auth.m_cbAuthType), "Open");
    EXPECT_EQ(Selected(auth.m_cbEncryption), "None");
    EXPECT_FALSE(KeyEnabled(0));
    EXPECT_FALSE(Enabled(auth, IDC_AS_PSK_EDIT));

    ASSERT_TRUE(SelectEntry(auth.m_hWnd, std::to_string(IDC_AS_ENCRYPT_COMBO), "WEP"));
    for (int k = 0; k < 4; k++)
        EXPECT_TRUE(KeyEnabled(k)) << k;
    EXPECT_TRUE(Enabled(auth, IDC_AS_WEP_GROUP));
    EXPECT_TRUE(Visible(auth, IDC_AS_USE_8021X_CHECK));

    // 802.1X hands out the keys, unless its method is MD5-Challenge.
    auth.m_dot1x.nAuthenProtocol = DOT1X_METHOD_MD5;
    ASSERT_TRUE(platform::automation::Click(auth.m_hWnd, std::to_string(IDC_AS_USE_8021X_CHECK)));
    EXPECT_EQ(auth.m_bUse8021x, 1);
    EXPECT_TRUE(KeyEnabled(0));
    auth.m_dot1x.nAuthenProtocol = DOT1X_METHOD_PEAP;
    ASSERT_TRUE(SelectEntry(auth.m_hWnd, std::to_string(IDC_AS_ENCRYPT_COMBO), "WEP"));
    EXPECT_FALSE(KeyEnabled(0));

    // WPA always goes through 802.1X: no keys, and the check is gone.
    ASSERT_TRUE(SelectEntry(auth.m_hWnd, std::to_string(IDC_AS_AUTH_COMBO), "WPA"));
    EXPECT_EQ(auth.m_bUse8021x, 1);
    EXPECT_EQ(auth.m_nAuthMode, 3);
    EXPECT_FALSE(KeyEnabled(0));
    EXPECT_FALSE(Enabled(auth, IDC_AS_PSK_EDIT));
    EXPECT_FALSE(Visible(auth, IDC_AS_USE_8021X_CHECK));

    ASSERT_TRUE(SelectEntry(auth.m_hWnd, std::to_string(IDC_AS_AUTH_COMBO), "WPA2-PSK"));
    EXPECT_EQ(auth.m_bUse8021x, 0);
    EXPECT_TRUE(Enabled(auth, IDC_AS_PSK_EDIT));
    EXPECT_FALSE(KeyEnabled(0));
}

TEST_F(AuthSecuPageTest, AdhocWepUsesKeyOneOnly)
{
    auth.m_nDefaultKey = 2;
    auth.m_nEncryptIndex = 1;
    ShowAuth(0);
    EXPECT_EQ(Selected(auth.m_cbEncryption), "WEP");
    EXPECT_TRUE(KeyEnabled(0));
    for (int k = 1; k < 4; k++)
        EXPECT_FALSE(KeyEnabled(k)) << k;
    EXPECT_FALSE(Enabled(auth, IDC_AS_WEP_GROUP));
    EXPECT_FALSE(Visible(auth, IDC_AS_USE_8021X_CHECK));
    auth.SyncAuthControls(TRUE);
    EXPECT_EQ(auth.m_nDefaultKey, 0);
}

TEST_F(AuthSecuPageTest, KeyTypeChoosesTheEditAndHexEditsTakeHexDigitsOnly)
{
    auth.m_nEncryptIndex = 1;
    auth.m_strWepKeyAscii[1] = "abcde";
    ShowAuth(1);
    ASSERT_TRUE(TypeText(auth.m_hWnd, std::to_string(IDC_AS_KEY1_HEX), "12abXYZ!cd3g4"));
    auth.SyncAuthControls(TRUE);
    EXPECT_EQ(std::string(auth.m_strWepKeyHex[0]), "12abcd34");

    ASSERT_TRUE(SelectEntry(auth.m_hWnd, std::to_string(IDC_AS_KEY2_TYPE), "ASCII"));
    EXPECT_EQ(auth.m_nWepKeyType[1], 1);
    EXPECT_TRUE(Visible(auth, IDC_AS_KEY2_ASCII));
    EXPECT_FALSE(Visible(auth, IDC_AS_KEY2_HEX));
    EXPECT_TRUE(Visible(auth, IDC_AS_KEY1_HEX));
    // Both texts are kept.
    EXPECT_EQ(std::string(auth.m_strWepKeyAscii[1]), "abcde");
}

TEST_F(AuthSecuPageTest, ShowPasswordReachesDisabledEditsToo)
{
    ShowAuth(1);
    ASSERT_FALSE(Enabled(auth, IDC_AS_PSK_EDIT));
    auto passwordChar = [this](int nID)
    { return ::SendMessageA(auth.GetDlgItem(nID)->m_hWnd, EM_GETPASSWORDCHAR, 0, 0); };
    EXPECT_EQ(passwordChar(IDC_AS_PSK_EDIT), '*');
    ASSERT_TRUE(platform::automation::Click(auth.m_hWnd, std::to_string(IDC_AS_SHOW_PASSWORD)));
    for (int nID : {IDC_AS_PSK_EDIT, IDC_AS_KEY1_HEX, IDC_AS_KEY4_ASCII, IDC_AS_LEAP_PASSWORD_EDIT})
        EXPECT_EQ(passwordChar(nID), 0) << nID;
    EXPECT_FALSE(Enabled(auth, IDC_AS_PSK_EDIT));
    ASSERT_TRUE(platform::automation::Click(auth.m_hWnd, std::to_string(IDC_AS_SHOW_PASSWORD)));
    EXPECT_EQ(passwordChar(IDC_AS_KEY1_HEX), '*');
}

} // namespace
