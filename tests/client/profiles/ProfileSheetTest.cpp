// The profile editor's checks before it writes a section, and what it writes for a new, an
// edited and a renamed profile.

#include "client/profiles/ProfileSheet.h"

#include "platform/ui/TestPump.h"
#include "tests/client/profiles/ProfileFixture.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{

using testing_support::ProfileFixture;

class ProfileSheetTest : public ProfileFixture
{
protected:
    // A new infrastructure profile "Home" on "HomeNet", open without encryption.
    std::unique_ptr<CProfileSheet> newSheet()
    {
        auto s = std::make_unique<CProfileSheet>("Add Profile");
        s->SetupProfile("Home", "HomeNet", 1, 0, 1, 1, 1);
        return s;
    }
    // ApplyProfile with the boxes answered in order (OK once the answers run out); the texts
    // of the boxes that came up.
    std::vector<std::string> apply(CProfileSheet& s, int& result, std::vector<int> answers = {})
    {
        std::size_t next = 0;
        platform::SetIdleHook(
            [&]
            {
                auto box = platform::FindOpenMessageBox();
                ASSERT_TRUE(box.has_value());
                platform::AnswerMessageBox(box->hwnd,
                                           next < answers.size() ? answers[next++] : IDOK);
            });
        result = s.ApplyProfile();
        platform::SetIdleHook(nullptr);
        return takeMessages();
    }
};

TEST_F(ProfileSheetTest, EachRefusedInputShowsItsMessageAndWritesNothing)
{
    const std::string wep10 = "WEP key requires 10 or 26 Hex characters.";
    const std::string wep5 = "WEP key requires 5 or 13 characters.(Note: 1 character is 2 hex)";
    const std::string wpa = "Invalid WPA Pre-Shared key. WPA-PSK used field should use 8-63 ASCII "
                            "characters or 64 Hex characters.";
    const std::string wpa2 = "Invalid WPA2 Pre-Shared key. WPA2-PSK used field should use 8-63 "
                             "ASCII characters or 64 Hex characters.";
    struct Case
    {
        const char* what;
        std::function<void(CSysConfigPage&, CAuthSecuPage&)> edit;
        std::string message; // empty: accepted
    };
    auto psk = [](int mode, std::string key, int networkType = 1)
    {
        return [=](CSysConfigPage& sys, CAuthSecuPage& a)
        {
            sys.m_nNetworkType = networkType;
            a.m_nAuthMode = mode;
            a.m_strWpaPsk = key.c_str();
        };
    };
    auto wep = [](int mode, int defaultKey, std::vector<std::pair<int, std::string>> keys)
    {
        return [=](CSysConfigPage&, CAuthSecuPage& a)
        {
            a.m_nAuthMode = mode;
            a.m_nEncryptIndex = 1;
            a.m_nDefaultKey = defaultKey;
            for (int i = 0; i < 4 && i < static_cast<int>(keys.size()); i++)
            {
                a.m_nWepKeyType[i] = keys[i].first;
                (keys[i].first ? a.m_strWepKeyAscii[i] : a.m_strWepKeyHex[i]) =
                    keys[i].second.c_str();
            }
        };
    };
    const std::string hex64(64, 'a');
    const Case cases[] = {
        {"blank name", [](CSysConfigPage& s, CAuthSecuPage&) { s.m_strProfileName = "   "; },
         "Please enter profile name"},
        {"101 characters",
         [](CSysConfigPage& s, CAuthSecuPage&) { s.m_strProfileName = CString('n', 101); },
         "The profile name length is too long"},
        {"name with ]", [](CSysConfigPage& s, CAuthSecuPage&) { s.m_strProfileName = "a]b"; },
         "The profile name cannot contain \"]\" or a line break. Please enter another name."},
        {"name with a line break",
         [](CSysConfigPage& s, CAuthSecuPage&) { s.m_strProfileName = "a\nb"; },
         "The profile name cannot contain \"]\" or a line break. Please enter another name."},
        {"no SSID", [](CSysConfigPage& s, CAuthSecuPage&) { s.m_strSsid = ""; },
         "SSID is required"},
        {"passphrase with a line break", psk(7, "12345678\n9"),
         "A text of this profile contains a line break, which cannot be stored."},
        {"PSK of 7", psk(4, "1234567"), wpa},
        {"WPA2-PSK of 7", psk(7, "1234567"), wpa2},
        {"64 with a g", psk(7, hex64.substr(0, 63) + "g"), wpa2},
        {"65 characters", psk(4, hex64 + "a"), wpa},
        {"ad hoc WPA-None of 7", psk(5, "1234567", 0), wpa},
        {"PSK of 8", psk(4, "12345678"), ""},
        {"PSK of 63 of any characters", psk(7, std::string(62, '#') + " "), ""},
        {"64 hex digits", psk(7, std::string(32, 'F') + std::string(32, '9')), ""},
        {"shared, default key empty", wep(1, 0, {}), wep10},
        {"shared, default ASCII key of 4", wep(1, 0, {{1, "abcd"}}), wep5},
        {"open WEP, 9 hex digits", wep(0, 0, {{0, "012345678"}}), wep10},
        {"64-bit hex with a non-hex digit", wep(1, 0, {{0, "01234567z9"}}), wep10},
        {"a later key of bad length", wep(1, 0, {{0, "0123456789"}, {0, "abc"}}), wep10},
        {"64-bit hex, others empty", wep(1, 0, {{0, "0123456789"}}), ""},
        {"128-bit hex as key 2", wep(1, 1, {{0, ""}, {0, std::string(26, 'b')}}), ""},
        {"ASCII 5 and 13", wep(0, 0, {{1, "abcde"}, {1, "abcdefghijklm"}}), ""},
        {"open without encryption ignores keys", wep(0, 0, {{0, "1"}}), "<open>"},
    };
    for (const Case& c : cases)
    {
        std::filesystem::remove(fileOf(INI_KIND_PROFILE));
        auto s = newSheet();
        c.edit(s->m_SysConfigPage, s->m_AuthSecuPage);
        if (c.message == "<open>")
            s->m_AuthSecuPage.m_nEncryptIndex = 0;
        int result = -1;
        std::vector<std::string> shown = apply(*s, result);
        bool accepted = c.message.empty() || c.message == "<open>";
        EXPECT_EQ(result, accepted ? 1 : 0) << c.what;
        EXPECT_EQ(shown,
                  accepted ? std::vector<std::string>{} : std::vector<std::string>{c.message})
            << c.what;
        EXPECT_EQ(std::filesystem::exists(fileOf(INI_KIND_PROFILE)), accepted) << c.what;
    }
}

TEST_F(ProfileSheetTest, ANameTakenInAnyLetterCaseIsADuplicate)
{
    writeSection("PROF1", {{"SSID", "Other"}});
    for (const char* name : {"PROF1", "prof1", " Prof1 "})
    {
        auto s = newSheet();
        s->m_SysConfigPage.m_strProfileName = name;
        int result = -1;
        EXPECT_EQ(apply(*s, result), std::vector<std::string>{"Duplicate profile name"}) << name;
        EXPECT_EQ(result, 0);
    }
    EXPECT_EQ(value("PROF1", "SSID"), "Other");
    // The exact check of the store itself stays exact.
    EXPECT_EQ(newSheet()->ProfileNameExists("prof1"), 1);
    EXPECT_EQ(newSheet()->ProfileNameExists("PROF1"), 0);
}

TEST_F(ProfileSheetTest, EditingKeepsTheNameOrSavesUnderANewOneAfterAsking)
{
    writeSection("Home", {{"SSID", "Old"}, {"NetworkType", "1"}, {"Encryption", "1"}});
    writeSection("Next", {{"SSID", "Neighbour"}});

    auto same = std::make_unique<CProfileSheet>("Edit Profile");
    same->SetupProfile("Home", "", 0, 0, 0, 1, 0);
    EXPECT_EQ(std::string(same->m_SysConfigPage.m_strSsid), "Old");
    same->m_SysConfigPage.m_strSsid = "New";
    int result = -1;
    EXPECT_TRUE(apply(*same, result).empty()); // no question for the same name
    EXPECT_EQ(result, 1);
    EXPECT_EQ(same->m_bSaved, 1);
    EXPECT_EQ(value("Home", "SSID"), "New");
    EXPECT_EQ(value("Next", "SSID"), "Neighbour");

    auto renamed = std::make_unique<CProfileSheet>("Edit Profile");
    renamed->SetupProfile("Home", "", 0, 0, 0, 1, 0);
    renamed->m_SysConfigPage.m_strProfileName = "Work";
    std::string before = fileText(INI_KIND_PROFILE);
    EXPECT_EQ(apply(*renamed, result, {IDCANCEL}),
              std::vector<std::string>{"Create another profile?"});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fileText(INI_KIND_PROFILE), before);

    EXPECT_EQ(apply(*renamed, result, {IDOK}), std::vector<std::string>{"Create another profile?"});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(value("Work", "SSID"), "New");
    EXPECT_EQ(value("Home", "SSID"), "New");
}

TEST_F(ProfileSheetTest, SetupOfANewProfileMapsModesToListIndexes)
{
    struct Case
    {
        int os, mode, encryption, index, encryptIndex, use8021x;
    } cases[] = {
        {11, 7, 6, 7, 1, 0}, {11, 6, 4, 6, 0, 1}, {9, 7, 6, 5, 1, 0},  {9, 6, 6, 4, 1, 1},
        {11, 5, 0, 3, 1, 0}, {11, 4, 4, 5, 0, 0}, {11, 3, 4, 4, 0, 1}, {11, 1, 0, 0, 1, 0},
    };
    for (const Case& c : cases)
    {
        OsVersionCode = c.os;
        auto s = std::make_unique<CProfileSheet>("Add Profile");
        s->SetupProfile("PROF1", "Net", c.encryption, c.mode, 1, 0, 11);
        EXPECT_EQ(s->m_AuthSecuPage.m_nAuthIndex, c.index) << c.os << "/" << c.mode;
        EXPECT_EQ(s->m_AuthSecuPage.m_nEncryptIndex, c.encryptIndex) << c.mode;
        EXPECT_EQ(s->m_AuthSecuPage.m_bUse8021x, c.use8021x) << c.mode;
        EXPECT_EQ(std::string(s->m_SysConfigPage.m_strChannel), "11");
    }
}

} // namespace
