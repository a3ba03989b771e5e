#include "tests/platform/ui/framework/FrameworkTestSupport.h"

#include <string>
#include <vector>

namespace
{

using framework_test::Control;
using framework_test::FrameworkTest;
using framework_test::RegisterTemplate;
using framework_test::TextOf;

constexpr UINT IDD_SETTINGS = 7101;
constexpr int IDC_NAME = 1001;
constexpr int IDC_TIMEOUT = 1002;
constexpr int IDC_HIDDEN = 1003;
constexpr int IDC_CHECK = 1004;
constexpr int IDC_MODE = 1005;
constexpr int IDC_RADIO_A = 1010; // group 1: A B C
constexpr int IDC_RADIO_D = 1013; // group 2: D E
constexpr int IDC_RADIO_F = 1020; // group 3: F G, ended by a static; H is not in it
constexpr int IDC_RADIO_H = 1023;
constexpr int IDC_ADDRESS = 1030;

class CSettingsDlg : public CDialog
{
public:
    CSettingsDlg() : CDialog(IDD_SETTINGS) {}

    CString m_strName = "home";
    int m_nTimeout = 100;
    CString m_strHidden = "secret";
    int m_nCheck = 1;
    int m_nMode = 2;
    CString m_strMode = "802.11g";
    int m_nRadio1 = 1;
    int m_nRadio3 = 0;
    DWORD m_dwAddress = 0xC0A80001;
    bool m_bExchangeAddress = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 32);
        DDX_Text(pDX, IDC_TIMEOUT, m_nTimeout);
        DDV_MinMaxInt(pDX, m_nTimeout, 20, 1000);
        DDX_Text(pDX, IDC_HIDDEN, m_strHidden);
        DDX_Check(pDX, IDC_CHECK, m_nCheck);
        DDX_CBIndex(pDX, IDC_MODE, m_nMode);
        DDX_CBString(pDX, IDC_MODE, m_strMode);
        DDX_Radio(pDX, IDC_RADIO_A, m_nRadio1);
        DDX_Radio(pDX, IDC_RADIO_F, m_nRadio3);
        if (m_bExchangeAddress)
            DDX_IPAddress(pDX, IDC_ADDRESS, m_dwAddress);
    }
};

// Numbers of each kind through one edit.
class CNumberDlg : public CDialog
{
public:
    CNumberDlg() : CDialog(IDD_SETTINGS) {}
    enum class Kind
    {
        Int,
        UInt,
        Byte,
        UIntRange
    } m_kind = Kind::Int;
    int m_nValue = 0;
    UINT m_uValue = 0;
    BYTE m_bValue = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        switch (m_kind)
        {
        case Kind::Int:
            DDX_Text(pDX, IDC_TIMEOUT, m_nValue);
            break;
        case Kind::UInt:
            DDX_Text(pDX, IDC_TIMEOUT, m_uValue);
            break;
        case Kind::Byte:
            DDX_Text(pDX, IDC_TIMEOUT, m_bValue);
            break;
        case Kind::UIntRange:
            DDX_Text(pDX, IDC_TIMEOUT, m_uValue);
            DDV_MinMaxUInt(pDX, m_uValue, 60, 3600);
            break;
        }
    }
};

constexpr DWORD kRadio = WS_VISIBLE | BS_AUTORADIOBUTTON;

class DataExchangeTest : public FrameworkTest
{
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        platform::DialogControl mode = Control("ComboBox", IDC_MODE, WS_VISIBLE | CBS_DROPDOWNLIST);
        mode.items = {"Auto", "802.11b", "802.11g"};
        RegisterTemplate(
            IDD_SETTINGS, "Settings",
            {Control("Edit", IDC_NAME, WS_VISIBLE | WS_TABSTOP),
             Control("Edit", IDC_TIMEOUT, WS_VISIBLE | WS_TABSTOP), Control("Edit", IDC_HIDDEN, 0),
             Control("Button", IDC_CHECK, WS_VISIBLE | BS_AUTOCHECKBOX), mode,
             Control("Button", IDC_RADIO_A, kRadio | WS_GROUP),
             Control("Button", IDC_RADIO_A + 1, kRadio), Control("Button", IDC_RADIO_A + 2, kRadio),
             Control("Button", IDC_RADIO_D, kRadio | WS_GROUP),
             Control("Button", IDC_RADIO_D + 1, kRadio),
             Control("Button", IDC_RADIO_F, kRadio | WS_GROUP),
             Control("Button", IDC_RADIO_F + 1, kRadio),
             Control("Static", 1022, WS_VISIBLE, "label"), Control("Button", IDC_RADIO_H, kRadio),
             Control("SysIPAddress32", IDC_ADDRESS, 0)},
            RECT{0, 0, 200, 150}, WS_POPUP | WS_CAPTION);
        platform::afx::SetValidationReporter([this](const std::string& text)
                                             { m_reported.push_back(text); });
    }

    HWND item(CWnd& dlg, int id) { return ::GetDlgItem(dlg.m_hWnd, id); }
    std::vector<std::string> m_reported;
};

TEST_F(DataExchangeTest, LoadingPutsEveryMemberIntoItsControlHiddenOnesToo)
{
    CSettingsDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS)); // OnInitDialog loads
    EXPECT_EQ(TextOf(item(dlg, IDC_NAME)), "home");
    EXPECT_EQ(TextOf(item(dlg, IDC_TIMEOUT)), "100");
    EXPECT_EQ(TextOf(item(dlg, IDC_HIDDEN)), "secret");
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_CHECK), BST_CHECKED);
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_MODE, CB_GETCURSEL), 2);
    // DDV_MaxChars limits the edit while loading.
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_NAME, EM_GETLIMITTEXT), 32);
    EXPECT_TRUE(m_reported.empty());
}

TEST_F(DataExchangeTest, SavingReadsTheControlsBack)
{
    CSettingsDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS));
    dlg.SetDlgItemText(IDC_NAME, "office");
    dlg.SetDlgItemText(IDC_TIMEOUT, " 640");
    dlg.SetDlgItemText(IDC_HIDDEN, "changed");
    dlg.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
    dlg.SendDlgItemMessage(IDC_MODE, CB_SETCURSEL, 1);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ(dlg.m_strName, "office");
    EXPECT_EQ(dlg.m_nTimeout, 640);
    EXPECT_STREQ(dlg.m_strHidden, "changed");
    EXPECT_EQ(dlg.m_nCheck, 0);
    EXPECT_EQ(dlg.m_nMode, 1);
    EXPECT_STREQ(dlg.m_strMode, "802.11b");
}

TEST_F(DataExchangeTest, AFailedRangeCheckShowsTheBoxAndKeepsTheFocusOnTheField)
{
    // The framework's own message box, answered as a person would.
    platform::afx::SetValidationReporter(nullptr);
    CSettingsDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS));
    dlg.SetDlgItemText(IDC_NAME, "lab");
    dlg.SetDlgItemText(IDC_TIMEOUT, "5");
    ::SetFocus(item(dlg, IDC_NAME));
    platform::SetIdleHook(
        []
        {
            if (auto box = platform::FindOpenMessageBox())
                platform::AnswerMessageBox(box->hwnd, IDOK);
        });
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    const auto boxes = platform::MessageBoxLog();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Please enter an integer between 20 and 1000.");
    EXPECT_EQ(boxes[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(::GetFocus(), item(dlg, IDC_TIMEOUT));
    // The fields before the failing one were taken; the failing one and those after were not.
    EXPECT_STREQ(dlg.m_strName, "lab");
    EXPECT_EQ(dlg.m_nTimeout, 5);
    EXPECT_STREQ(dlg.m_strHidden, "secret");
}

TEST_F(DataExchangeTest, NumbersThatDoNotReadFailWithTheFrameworksTexts)
{
    using Kind = CNumberDlg::Kind;
    struct Case
    {
        Kind kind;
        const char* text;
        bool ok;
        const char* message;
    } cases[] = {
        {Kind::Int, "-90", true, ""},
        {Kind::Int, "  42", true, ""},
        {Kind::Int, "", false, "Please enter an integer."},
        {Kind::Int, "12x", false, "Please enter an integer."},
        {Kind::Int, "42 ", false, "Please enter an integer."},
        {Kind::Int, "99999999999", false, "Please enter an integer."},
        {Kind::Int, "-2147483648", true, ""},
        {Kind::UInt, "4294967295", true, ""},
        {Kind::UInt, "-1", false, "Please enter a positive integer."},
        {Kind::UInt, "4294967296", false, "Please enter a positive integer."},
        {Kind::Byte, "255", true, ""},
        {Kind::Byte, "256", false, "Please enter an integer between 0 and 255."},
        {Kind::UIntRange, "59", false, "Please enter an integer between 60 and 3600."},
        {Kind::UIntRange, "3600", true, ""},
    };
    for (const Case& c : cases)
    {
        m_reported.clear();
        CNumberDlg dlg;
        dlg.m_kind = c.kind;
        ASSERT_TRUE(dlg.Create(IDD_SETTINGS));
        dlg.SetDlgItemText(IDC_TIMEOUT, c.text);
        EXPECT_EQ(dlg.UpdateData(TRUE), c.ok ? TRUE : FALSE) << c.text;
        if (c.ok)
            EXPECT_TRUE(m_reported.empty()) << c.text;
        else
            EXPECT_EQ(m_reported, std::vector<std::string>{c.message}) << c.text;
        dlg.DestroyWindow();
    }
}

TEST_F(DataExchangeTest, TooLongTextFailsAndLoadingTheFormatsRoundTrip)
{
    CNumberDlg numbers;
    numbers.m_kind = CNumberDlg::Kind::UInt;
    numbers.m_uValue = 4000000000u;
    ASSERT_TRUE(numbers.Create(IDD_SETTINGS));
    EXPECT_EQ(TextOf(item(numbers, IDC_TIMEOUT)), "4000000000");

    CSettingsDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS));
    dlg.SetDlgItemText(IDC_NAME, std::string(33, 'n').c_str());
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(m_reported, std::vector<std::string>{"Please enter no more than 32 characters."});
    EXPECT_EQ(::GetFocus(), item(dlg, IDC_NAME));
    dlg.SetDlgItemText(IDC_NAME, std::string(32, 'n').c_str());
    EXPECT_TRUE(dlg.UpdateData(TRUE));
}

TEST_F(DataExchangeTest, RadioGroupsEndAtTheNextGroupOrANonRadio)
{
    CSettingsDlg dlg;
    dlg.m_nRadio1 = 1;
    dlg.m_nRadio3 = 1;
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS));
    dlg.CheckDlgButton(IDC_RADIO_D, BST_CHECKED);
    dlg.CheckDlgButton(IDC_RADIO_H, BST_CHECKED);
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    const std::vector<std::pair<int, UINT>> expected = {{IDC_RADIO_A, BST_UNCHECKED},
                                                        {IDC_RADIO_A + 1, BST_CHECKED},
                                                        {IDC_RADIO_A + 2, BST_UNCHECKED},
                                                        // The next group is left alone.
                                                        {IDC_RADIO_D, BST_CHECKED},
                                                        {IDC_RADIO_F, BST_UNCHECKED},
                                                        {IDC_RADIO_F + 1, BST_CHECKED},
                                                        // After the static: not the group's.
                                                        {IDC_RADIO_H, BST_CHECKED}};
    for (const auto& [id, state] : expected)
        EXPECT_EQ(dlg.IsDlgButtonChecked(id), state) << id;

    // Saving: the checked button's index, -1 when none is.
    dlg.CheckRadioButton(IDC_RADIO_A, IDC_RADIO_A + 2, IDC_RADIO_A + 2);
    dlg.CheckDlgButton(IDC_RADIO_F + 1, BST_UNCHECKED);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_nRadio1, 2);
    EXPECT_EQ(dlg.m_nRadio3, -1);
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_RADIO_A, IDC_RADIO_A + 2), IDC_RADIO_A + 2);
}

TEST_F(DataExchangeTest, IpAddressControlTakesPartWhileHidden)
{
    CSettingsDlg dlg;
    dlg.m_bExchangeAddress = true;
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS));
    dlg.m_dwAddress = 0;
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_dwAddress, 0xC0A80001u);
}

TEST_F(DataExchangeTest, DefaultOkEndsOnlyWhenTheDataIsValid)
{
    CSettingsDlg dlg;
    int step = 0;
    platform::SetIdleHook(
        [&]
        {
            HWND hDlg = dlg.m_hWnd;
            switch (step++)
            {
            case 0:
                ::SetDlgItemTextA(hDlg, IDC_TIMEOUT, "2000");
                ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
                break;
            case 1:
                // Still open: the check failed.
                EXPECT_EQ(m_reported.size(), 1u);
                EXPECT_TRUE(::IsWindow(hDlg));
                ::SetDlgItemTextA(hDlg, IDC_TIMEOUT, "200");
                ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
                break;
            default:
                ADD_FAILURE() << "the dialog did not end";
                dlg.EndDialog(-5);
                break;
            }
        });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nTimeout, 200);
}

} // namespace
