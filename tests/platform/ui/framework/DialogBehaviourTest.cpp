#include "tests/platform/ui/framework/FrameworkTestSupport.h"

#include <string>
#include <vector>

namespace
{

using framework_test::Control;
using framework_test::FrameworkTest;
using framework_test::RegisterTemplate;
using framework_test::TextOf;

constexpr UINT IDD_KEYS = 7301;
constexpr int IDC_EDIT = 1200;
constexpr int IDC_APPLY = 1201;
constexpr int IDC_OTHER = 1202;

std::vector<std::string> g_log;

class CKeysDlg : public CDialog
{
public:
    CKeysDlg() : CDialog(IDD_KEYS) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetWindowText(" ");
        return TRUE;
    }

protected:
    void OnOK() override
    {
        g_log.push_back("ok");
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        g_log.push_back("cancel");
        CDialog::OnCancel();
    }
    afx_msg void OnApply() { g_log.push_back("apply"); }
    afx_msg void OnOther() { g_log.push_back("other"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeysDlg, CDialog)
ON_BN_CLICKED(IDC_APPLY, OnApply)
ON_BN_CLICKED(IDC_OTHER, OnOther)
END_MESSAGE_MAP()

class DialogBehaviourTest : public FrameworkTest
{
protected:
    void registerKeys(DWORD applyStyle)
    {
        RegisterTemplate(
            IDD_KEYS, "Keys",
            {Control("Edit", IDC_EDIT, WS_VISIBLE | WS_TABSTOP, "", {10, 10, 110, 22}),
             Control("Button", IDC_APPLY, WS_VISIBLE | WS_TABSTOP | applyStyle, "Apply",
                     {10, 30, 60, 44}),
             Control("Button", IDC_OTHER, WS_VISIBLE | WS_TABSTOP, "Other", {70, 30, 120, 44}),
             Control("Button", IDOK, WS_VISIBLE | WS_TABSTOP, "OK", {130, 30, 180, 44}),
             Control("Button", IDCANCEL, WS_VISIBLE | WS_TABSTOP, "Cancel", {130, 50, 180, 64})},
            RECT{10, 20, 210, 120}, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    }
    void SetUp() override
    {
        FrameworkTest::SetUp();
        g_log.clear();
    }
};

TEST_F(DialogBehaviourTest, EnterPressesTheDefaultButtonAndEscapeCancels)
{
    struct Case
    {
        DWORD applyStyle;
        UINT setDefId; // 0: none
        UINT key;
        std::vector<std::string> expected;
        INT_PTR result;
    } cases[] = {
        // No default push button: Enter is IDOK.
        {BS_PUSHBUTTON, 0, VK_RETURN, {"ok"}, IDOK},
        // The template's default push button.
        {BS_DEFPUSHBUTTON, 0, VK_RETURN, {"apply", "cancel"}, IDCANCEL},
        // DM_SETDEFID wins over the template.
        {BS_DEFPUSHBUTTON, IDC_OTHER, VK_RETURN, {"other", "cancel"}, IDCANCEL},
        {BS_PUSHBUTTON, 0, VK_ESCAPE, {"cancel"}, IDCANCEL},
    };
    for (const Case& c : cases)
    {
        g_log.clear();
        registerKeys(c.applyStyle);
        CKeysDlg dlg;
        int step = 0;
        platform::SetIdleHook(
            [&]
            {
                HWND edit = ::GetDlgItem(dlg.m_hWnd, IDC_EDIT);
                switch (step++)
                {
                case 0:
                    if (c.setDefId != 0)
                        dlg.SetDefID(c.setDefId);
                    EXPECT_EQ(LOWORD(dlg.GetDefID()),
                              c.setDefId != 0
                                  ? c.setDefId
                                  : (c.applyStyle == BS_DEFPUSHBUTTON ? IDC_APPLY : IDOK));
                    ::SetFocus(edit);
                    ::PostMessageA(edit, WM_KEYDOWN, c.key, 0);
                    break;
                case 1:
                    // A default button that does not end the dialog leaves it open: close it.
                    ::PostMessageA(dlg.m_hWnd, WM_CLOSE, 0, 0);
                    break;
                default:
                    dlg.EndDialog(-9);
                    break;
                }
            });
        EXPECT_EQ(dlg.DoModal(), c.result) << "key " << c.key << " def " << c.setDefId;
        EXPECT_EQ(g_log, c.expected) << "key " << c.key << " def " << c.setDefId;
    }
}

TEST_F(DialogBehaviourTest, ModelessDialogGetsItsKeysThroughTheProgramsLoop)
{
    registerKeys(BS_PUSHBUTTON);
    CKeysDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_KEYS));
    EXPECT_EQ(TextOf(dlg.m_hWnd), " "); // the caption set at init
    HWND edit = ::GetDlgItem(dlg.m_hWnd, IDC_EDIT);
    ::SetFocus(edit);
    // Tab walks the tab stops, Enter on a focused push button presses it.
    ::PostMessageA(edit, WM_KEYDOWN, VK_TAB, 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_APPLY));
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(g_log, (std::vector<std::string>{"apply"}));
    dlg.NextDlgCtrl();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_OTHER));
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_EDIT));
    EXPECT_EQ(::GetFocus(), edit);
    dlg.DestroyWindow();
}

TEST_F(DialogBehaviourTest, TemplateRectanglesAreDialogUnits)
{
    registerKeys(BS_PUSHBUTTON);
    CKeysDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_KEYS));
    struct Case
    {
        HWND hwnd;
        RECT expected;
    } cases[] = {
        // 10,20 200x100 units: x and width times 6/4, y and height times 13/8.
        {dlg.m_hWnd, {15, 32, 15 + 300, 32 + 162}},
        // 10,10 100x12 units, on the screen: the dialog's client area starts at 15,32.
        {::GetDlgItem(dlg.m_hWnd, IDC_EDIT), {15 + 15, 32 + 16, 15 + 15 + 150, 32 + 16 + 19}},
        // 70,30 50x14 units: each part truncated on its own.
        {::GetDlgItem(dlg.m_hWnd, IDC_OTHER), {15 + 105, 32 + 48, 15 + 105 + 75, 32 + 48 + 22}},
    };
    for (const Case& c : cases)
    {
        RECT r{};
        ::GetWindowRect(c.hwnd, &r);
        EXPECT_EQ(CRect(r), CRect(c.expected)) << c.hwnd;
    }
    RECT units{1, 1, 7, 9};
    dlg.MapDialogRect(&units);
    EXPECT_EQ(CRect(units), CRect(1, 1, 10, 14));
    EXPECT_EQ(GetDialogBaseUnits(), static_cast<LONG>(MAKELONG(6, 13)));
    dlg.DestroyWindow();
}

TEST_F(DialogBehaviourTest, DialogItemHelpers)
{
    registerKeys(BS_PUSHBUTTON);
    CKeysDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_KEYS));
    dlg.SetDlgItemInt(IDC_EDIT, static_cast<UINT>(-60), TRUE);
    EXPECT_EQ(TextOf(::GetDlgItem(dlg.m_hWnd, IDC_EDIT)), "-60");
    BOOL translated = FALSE;
    EXPECT_EQ(static_cast<int>(dlg.GetDlgItemInt(IDC_EDIT, &translated, TRUE)), -60);
    EXPECT_TRUE(translated);
    dlg.GetDlgItemInt(IDC_EDIT, &translated, FALSE);
    EXPECT_FALSE(translated);
    dlg.SetDlgItemText(IDC_EDIT, "abc");
    CString text;
    EXPECT_EQ(dlg.GetDlgItemText(IDC_EDIT, text), 3);
    EXPECT_STREQ(text, "abc");
    dlg.GetDlgItemInt(IDC_EDIT, &translated);
    EXPECT_FALSE(translated);
    // A missing item reads as empty.
    char buffer[8] = "x";
    EXPECT_EQ(dlg.GetDlgItemText(4711, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    dlg.DestroyWindow();
}

TEST_F(DialogBehaviourTest, ScreenAndClientCoordinatesFollowTheParents)
{
    registerKeys(BS_PUSHBUTTON);
    CKeysDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_KEYS));
    CWnd* other = dlg.GetDlgItem(IDC_OTHER);
    CRect r;
    other->GetWindowRect(&r); // on the screen
    CPoint p(r.left, r.top);
    EXPECT_EQ(p, CPoint(15 + 105, 32 + 48));
    dlg.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(105, 48));
    dlg.ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(15 + 105, 32 + 48));
    dlg.DestroyWindow();
}

} // namespace
