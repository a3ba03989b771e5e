#include "tests/platform/ui/desktop/DesktopTestSupport.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{

using desktop_test::DesktopTest;
using desktop_test::SeenLog;
using desktop_test::SeenOf;

constexpr UINT kFormTemplate = 4101;

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message == WM_NOTIFY || message == WM_HSCROLL)
    {
        LPARAM code = lParam;
        if (message == WM_NOTIFY)
            if (auto* hdr = platform::PointerFromParam<NMHDR>(lParam))
                code = static_cast<LPARAM>(hdr->code);
        SeenLog().push_back({hwnd, message, wParam, code});
        return 0;
    }
    return DefDlgProcA(hwnd, message, wParam, lParam);
}

platform::DialogControl control(const char* cls, const char* text, int id, DWORD style)
{
    platform::DialogControl c;
    c.className = cls;
    c.text = text;
    c.id = id;
    c.style = WS_CHILD | WS_VISIBLE | style;
    c.rect = {10, 10 + id % 100 * 20, 200, 28 + id % 100 * 20};
    return c;
}

void registerForm()
{
    platform::DialogTemplate t;
    t.caption = "Advanced";
    t.rect = {0, 0, 400, 300};
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    t.controls = {
        control("Button", "Enable QOS", 1001, BS_AUTOCHECKBOX | WS_TABSTOP),
        control("Button", "Auto", 1002, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP),
        control("Button", "Manual", 1003, BS_AUTORADIOBUTTON),
        control("Edit", "", 1004, WS_TABSTOP | ES_AUTOHSCROLL),
        control("ComboBox", "", 1005, CBS_DROPDOWNLIST | WS_TABSTOP),
        control(WC_LISTVIEWA, "", 1006, LVS_REPORT | WS_TABSTOP),
        control(TRACKBAR_CLASSA, "", 1007, WS_TABSTOP),
        control("Static", "Not shown", 1008, 0),
        control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP),
        control("Button", "&Cancel", IDCANCEL, WS_TABSTOP),
    };
    t.controls[7].style &= ~WS_VISIBLE;
    platform::RegisterDialogTemplate(kFormTemplate, t);
}

void fill(HWND dlg)
{
    HWND combo = GetDlgItem(dlg, 1005);
    for (const char* s : {"11b", "11g", "11n"})
    {
        platform::PointerParam p(s);
        SendMessageA(combo, CB_ADDSTRING, 0, p);
    }
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    HWND list = GetDlgItem(dlg, 1006);
    const char* columns[] = {"SSID", "Channel"};
    for (int c = 0; c < 2; ++c)
    {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = 100;
        col.pszText = const_cast<LPSTR>(columns[c]);
        platform::PointerParam p(&col);
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), p);
    }
    const char* rows[][2] = {{"home", "6"}, {"office", "11"}};
    for (int r = 0; r < 2; ++r)
    {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<LPSTR>(rows[r][0]);
        platform::PointerParam p(&item);
        SendMessageA(list, LVM_INSERTITEMA, 0, p);
        LVITEMA sub{};
        sub.iSubItem = 1;
        sub.pszText = const_cast<LPSTR>(rows[r][1]);
        platform::PointerParam q(&sub);
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(r), q);
    }
    HWND slider = GetDlgItem(dlg, 1007);
    SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageA(slider, TBM_SETPOS, TRUE, 50);
    CheckDlgButton(dlg, 1002, BST_CHECKED);
}

class AutomationTest : public DesktopTest
{
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        registerForm();
        m_dlg = platform::CreateDialogFromTemplate(platform::DialogTemplateOrDefault(kFormTemplate),
                                                   0, 0);
        ASSERT_NE(m_dlg, 0u);
        platform::SetWindowProc(m_dlg, FormProc);
        fill(m_dlg);
        SeenLog().clear();
    }
    void TearDown() override
    {
        DestroyWindow(m_dlg);
        DesktopTest::TearDown();
    }
    HWND m_dlg = 0;
};

TEST_F(AutomationTest, ADialogIsDescribedWithTheStateOfEachControl)
{
    auto node = platform::automation::Describe(m_dlg);
    ASSERT_TRUE(node.has_value());
    EXPECT_EQ(node->kind, platform::automation::ControlKind::Dialog);
    EXPECT_EQ(node->text, "Advanced");
    ASSERT_EQ(node->children.size(), 10u);
    const auto& radio = node->children[1];
    EXPECT_EQ(radio.kind, platform::automation::ControlKind::RadioButton);
    EXPECT_TRUE(radio.checked);
    const auto& combo = node->children[4];
    EXPECT_EQ(combo.items, (std::vector<std::string>{"11b", "11g", "11n"}));
    EXPECT_EQ(combo.selection, 1);
    const auto& list = node->children[5];
    EXPECT_EQ(list.columns, (std::vector<std::string>{"SSID", "Channel"}));
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1].cells, (std::vector<std::string>{"office", "11"}));
    const auto& slider = node->children[6];
    EXPECT_EQ(slider.pos, 50);
    EXPECT_EQ(slider.rangeMax, 100);
    EXPECT_FALSE(node->children[7].visible);
    EXPECT_TRUE(node->children[8].defaultButton);

    const std::string form = platform::automation::RenderForm(*node);
    for (const char* line :
         {"\"Advanced\" dialog", "  [ ] 1001 \"Enable QOS\" <focus>\n", "  (*) 1002 \"Auto\"\n",
          "  ( ) 1003 \"Manual\"\n", "  [ edit 1004: \"\" ]",
          "  combo 1005: \"11g\" {11b | >11g< | 11n}\n", "      | SSID   | Channel |\n",
          "      | office | 11      |\n", "  slider 1007: 50 (0..100)\n", "  <OK> 1 (default)"})
        EXPECT_NE(form.find(line), std::string::npos) << line << "\nin\n" << form;
    // What a person cannot see is drawn only when asked for.
    EXPECT_EQ(form.find("Not shown"), std::string::npos) << form;
    const std::string all = platform::automation::RenderForm(*node, {.all = true, .rects = true});
    const std::size_t at = all.find("  static 1008 \"Not shown\" @(");
    ASSERT_NE(at, std::string::npos) << all;
    const std::string line = all.substr(at, all.find('\n', at) - at);
    EXPECT_TRUE(line.ends_with(") (hidden)")) << line;
}

// Images are described by the icons they stand for: a row's image through the list's small
// image list, a static's icon, a dialog's title-bar icon.
// The drawing as a person reads it: columns lined up by the width a text takes on a terminal
// (a UTF-8 SSID, a wide one), a row's image and an icon by name, a progress bar filled.
TEST(FormText, ColumnsLineUpByDisplayWidthAndImagesAndBarsShowTheirMeaning)
{
    using platform::automation::ControlKind;
    using platform::automation::WindowNode;
    WindowNode form;
    form.kind = ControlKind::Dialog;
    form.text = "Survey";
    form.visible = form.enabled = true;
    WindowNode list;
    list.kind = ControlKind::ListView;
    list.id = 1002;
    list.visible = list.enabled = true;
    list.columns = {"SSID", "Ch"};
    platform::automation::ListRow plain, accented, wide;
    plain.cells = {"Harbor", "6"};
    accented.cells = {"Caf\xC3\xA9 Gar\xC3\xA7on", "11"}; // two 2-byte letters
    accented.image = 0;
    accented.imageIcon = 173;
    accented.imageName = "connected network";
    wide.cells = {"\xE5\x92\x96\xE5\x95\xA1", "1"}; // two wide characters
    list.rows = {plain, accented, wide};
    WindowNode meter;
    meter.kind = ControlKind::Progress;
    meter.id = 1008;
    meter.visible = meter.enabled = true;
    meter.rangeMax = 200;
    meter.pos = 50;
    WindowNode sign;
    sign.kind = ControlKind::Static;
    sign.id = 1010;
    sign.visible = sign.enabled = true;
    sign.iconId = 161;
    sign.iconName = "signal good";
    form.children = {list, meter, sign};

    const std::string drawn = platform::automation::RenderForm(form);
    for (const char* line : {"      | SSID        | Ch |\n", "      | Harbor      | 6  |\n",
                             "      | Caf\xC3\xA9 Gar\xC3\xA7on | 11 | <connected network>\n",
                             "      | \xE5\x92\x96\xE5\x95\xA1        | 1  |\n",
                             "  progress 1008: [#####               ] 25%\n",
                             "  static 1010 \"\" icon 161 \"signal good\"\n"})
        EXPECT_NE(drawn.find(line), std::string::npos) << line << "\nin\n" << drawn;
}

TEST_F(AutomationTest, ImagesAreDescribedByTheIconsTheyStandFor)
{
    platform::RegisterIconResource(173, "connected network");
    platform::RegisterIconResource(237, "network type");
    platform::RegisterBitmapResource(188, "radio on");
    const HICON connected = LoadIconA(0, MAKEINTRESOURCE(173));
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, 1, 1);
    ImageList_AddIcon(images, connected);
    ImageList_AddIcon(images, LoadIconA(0, MAKEINTRESOURCE(237)));
    HWND list = GetDlgItem(m_dlg, 1006);
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, static_cast<LPARAM>(images));
    // Row 0 shows image 1; row 1 none (-1); an index past the list draws nothing either.
    for (auto [row, image] : {std::pair{0, 1}, std::pair{1, -1}})
    {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        item.iImage = image;
        platform::PointerParam p(&item);
        SendMessageA(list, LVM_SETITEMA, 0, p);
    }
    SendMessageA(GetDlgItem(m_dlg, 1008), STM_SETIMAGE, IMAGE_BITMAP,
                 static_cast<LPARAM>(LoadBitmapA(0, MAKEINTRESOURCE(188))));
    SendMessageA(m_dlg, WM_SETICON, ICON_BIG, static_cast<LPARAM>(connected));

    auto node = platform::automation::Describe(m_dlg);
    ASSERT_TRUE(node.has_value());
    EXPECT_EQ(node->iconId, 173u);
    EXPECT_EQ(node->iconName, "connected network");
    const auto& rows = node->children[5].rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].image, 1);
    EXPECT_EQ(rows[0].imageIcon, 237u);
    EXPECT_EQ(rows[0].imageName, "network type");
    EXPECT_EQ(rows[1].image, -1);
    EXPECT_EQ(rows[1].imageIcon, 0u);
    EXPECT_EQ(node->children[7].bitmapId, 188u);
    EXPECT_EQ(node->children[7].bitmapName, "radio on");
    EXPECT_EQ(node->children[7].iconId, 0u);

    LVITEMA past{};
    past.mask = LVIF_IMAGE;
    past.iImage = 2;
    platform::PointerParam p(&past);
    SendMessageA(list, LVM_SETITEMA, 0, p);
    EXPECT_EQ(platform::automation::Describe(m_dlg)->children[5].rows[0].image, -1);

    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    ImageList_Destroy(images);
    platform::ClearImageResources();
}

TEST_F(AutomationTest, ActionsReachTheControlsAndTheirParentAsAPersonsWould)
{
    using namespace platform::automation;
    EXPECT_TRUE(Click(m_dlg, "Enable QOS"));
    EXPECT_EQ(IsDlgButtonChecked(m_dlg, 1001), BST_CHECKED);
    EXPECT_TRUE(Click(m_dlg, "1003"));
    EXPECT_EQ(IsDlgButtonChecked(m_dlg, 1003), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(m_dlg, 1002), BST_UNCHECKED);

    EXPECT_TRUE(TypeText(m_dlg, "1004", "192.168.1.5"));
    char text[32] = {};
    GetDlgItemTextA(m_dlg, 1004, text, sizeof text);
    EXPECT_STREQ(text, "192.168.1.5");
    EXPECT_NE(GetFocus(), GetDlgItem(m_dlg, 1004)); // left, so its kill-focus came

    EXPECT_TRUE(SelectEntry(m_dlg, "1005", "11n"));
    EXPECT_EQ(SendMessageA(GetDlgItem(m_dlg, 1005), CB_GETCURSEL, 0, 0), 2);
    EXPECT_FALSE(SelectEntry(m_dlg, "1005", "11ac"));
    EXPECT_TRUE(PickRow(m_dlg, "1006", 1, true));
    EXPECT_TRUE(Slide(m_dlg, "1007", 30));
    EXPECT_EQ(SendMessageA(GetDlgItem(m_dlg, 1007), TBM_GETPOS, 0, 0), 30);
    EXPECT_TRUE(SetText(m_dlg, "1004", "10.0.0.1"));

    std::vector<std::pair<UINT, UINT>> commands; // (id, code)
    std::vector<UINT> notifies, scrolls;
    for (const auto& s : SeenLog())
        if (s.message == WM_COMMAND)
            commands.emplace_back(LOWORD(s.wParam), HIWORD(s.wParam));
        else if (s.message == WM_NOTIFY)
            notifies.push_back(static_cast<UINT>(s.lParam));
        else if (s.message == WM_HSCROLL)
            scrolls.push_back(LOWORD(s.wParam));
    auto has = [&](UINT id, UINT code) {
        return std::find(commands.begin(), commands.end(), std::make_pair(id, code)) !=
               commands.end();
    };
    EXPECT_TRUE(has(1001, BN_CLICKED));
    EXPECT_TRUE(has(1003, BN_CLICKED));
    EXPECT_TRUE(has(1004, EN_KILLFOCUS));
    EXPECT_TRUE(has(1005, CBN_SELCHANGE));
    EXPECT_NE(std::find(notifies.begin(), notifies.end(), NM_CLICK), notifies.end());
    EXPECT_NE(std::find(notifies.begin(), notifies.end(), NM_DBLCLK), notifies.end());
    EXPECT_EQ(scrolls, (std::vector<UINT>{TB_THUMBTRACK, TB_THUMBPOSITION, TB_ENDTRACK}));

    // Keys and closing arrive through the loop.
    SeenLog().clear();
    EXPECT_TRUE(PressKey(m_dlg, "enter"));
    EXPECT_TRUE(PressKey(m_dlg, "esc"));
    EXPECT_FALSE(PressKey(m_dlg, "f5"));
    platform::PumpUntilIdle();
    auto cmds = SeenOf(WM_COMMAND);
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(LOWORD(cmds[0].wParam), IDOK);
    EXPECT_EQ(LOWORD(cmds[1].wParam), IDCANCEL);

    // Controls that cannot be used say so.
    EnableWindow(GetDlgItem(m_dlg, 1001), FALSE);
    EXPECT_FALSE(Click(m_dlg, "1001"));
    EXPECT_FALSE(Click(m_dlg, "Not shown"));
    EXPECT_FALSE(Click(m_dlg, "9999"));
    EXPECT_EQ(FindControl(m_dlg, "cancel"), GetDlgItem(m_dlg, IDCANCEL));
}

// While a modal window is up its owner is disabled, and its controls keep their own style: no
// action may reach them, as no person could. Hidden controls are out of reach too.
TEST_F(AutomationTest, NoActionReachesAWindowAModalWindowDisabledOrAHiddenControl)
{
    using namespace platform::automation;
    const std::vector<std::pair<const char*, std::function<ActionResult()>>> actions = {
        {"click", [&] { return Click(m_dlg, "1001"); }},
        {"mouse", [&] { return MouseClick(m_dlg, "1001"); }},
        {"type", [&] { return TypeText(m_dlg, "1004", "10.0.0.9"); }},
        {"select", [&] { return SelectEntry(m_dlg, "1005", "11n"); }},
        {"row", [&] { return PickRow(m_dlg, "1006", 1, true); }},
        {"slide", [&] { return Slide(m_dlg, "1007", 10); }},
        {"key", [&] { return PressKey(m_dlg, "enter"); }},
        {"sysmenu", [&] { return PickSystemMenu(m_dlg, "Close"); }},
        {"close", [&] { return CloseWindow(m_dlg); }},
    };
    std::vector<std::string> refusals;
    platform::SetIdleHook(
        [&]
        {
            if (!refusals.empty())
                return;
            for (const auto& [name, act] : actions)
            {
                const ActionResult result = act();
                EXPECT_FALSE(result.ok) << name;
                refusals.push_back(result.message);
            }
            EXPECT_TRUE(AnswerBox(0, "OK"));
        });
    EXPECT_EQ(MessageBoxA(m_dlg, "Busy", "Notice", MB_OK), IDOK);
    platform::PumpUntilIdle();
    ASSERT_EQ(refusals.size(), actions.size());
    EXPECT_EQ(refusals.front(), "control '1001' is in a disabled window (a modal window is up)");
    EXPECT_EQ(refusals.back(), "the window is disabled");
    for (const auto& message : refusals)
        EXPECT_NE(message.find("disabled"), std::string::npos) << message;
    EXPECT_TRUE(SeenLog().empty());
    EXPECT_EQ(SendMessageA(GetDlgItem(m_dlg, 1005), CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindow(m_dlg));

    // Once the box is answered the window takes input again; a hidden control never does.
    EXPECT_TRUE(Click(m_dlg, "1001"));
    const ActionResult hidden = Click(m_dlg, "Not shown");
    EXPECT_FALSE(hidden.ok);
    EXPECT_EQ(hidden.message, "control 'Not shown' is hidden");
    ShowWindow(m_dlg, SW_HIDE);
    EXPECT_EQ(PressKey(m_dlg, "esc").message, "the window is hidden");
    EXPECT_EQ(Click(m_dlg, "1001").message, "control '1001' is hidden");
}

TEST_F(AutomationTest, AMessageBoxIsDescribedAndAnsweredByItsButtonsText)
{
    std::string form;
    platform::SetIdleHook(
        [&]
        {
            auto box = platform::FindOpenMessageBox();
            form = platform::automation::RenderWindow(box->hwnd);
            EXPECT_FALSE(platform::automation::AnswerBox(0, "Retry"));
            EXPECT_TRUE(platform::automation::AnswerBox(0, "cancel"));
        });
    EXPECT_EQ(MessageBoxA(m_dlg, "Apply the change?", "Question", MB_OKCANCEL), IDCANCEL);
    EXPECT_NE(form.find("\"Question\" dialog"), std::string::npos) << form;
    EXPECT_NE(form.find("static 65535 \"Apply the change?\""), std::string::npos) << form;
    EXPECT_NE(form.find("<OK> 1 (default)"), std::string::npos) << form;
    EXPECT_NE(form.find("<Cancel> 2"), std::string::npos) << form;
}

TEST_F(AutomationTest, AnOpenMenuIsDrawnAndPicked)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING | MF_CHECKED, 40, "&Radio On");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 41, "Off");
    std::string form;
    platform::SetIdleHook(
        [&]
        {
            form = platform::automation::RenderWindow(platform::OpenPopupMenus().front());
            EXPECT_FALSE(platform::automation::PickMenu("Off"));
            EXPECT_TRUE(platform::automation::PickMenu("Radio On"));
        });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, m_dlg, nullptr), 40);
    EXPECT_NE(form.find("[x] 40 \"&Radio On\"\n"), std::string::npos) << form;
    EXPECT_NE(form.find("--------\n"), std::string::npos) << form;
    EXPECT_NE(form.find("41 \"Off\" (disabled)"), std::string::npos) << form;
    DestroyMenu(menu);
}

} // namespace

namespace
{

class SheetAutomationTest : public desktop_test::DesktopTest
{
};

TEST_F(SheetAutomationTest, APropertySheetShowsItsTabsAndAPageIsChosenByCaption)
{
    for (UINT id : {4201u, 4202u})
    {
        platform::DialogTemplate t;
        t.caption = id == 4201 ? "General" : "Advanced";
        t.style = WS_CHILD | DS_CONTROL;
        t.rect = {0, 0, 200, 100};
        platform::DialogControl c;
        c.className = "Button";
        c.text = id == 4201 ? "Radio on" : "Enable QOS";
        c.id = 1001;
        c.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
        t.controls.push_back(c);
        platform::RegisterDialogTemplate(id, t);
    }
    CPropertyPage general(4201), advanced(4202);
    CPropertySheet sheet("Tessaryn Wireless");
    sheet.m_psh.dwFlags |= PSH_MODELESS;
    sheet.AddPage(&general);
    sheet.AddPage(&advanced);
    ASSERT_TRUE(sheet.Create());

    std::string form = platform::automation::RenderWindow(sheet.m_hWnd);
    EXPECT_NE(form.find("  tabs: {>General< | Advanced}\n"), std::string::npos) << form;
    EXPECT_NE(form.find("page \"General\""), std::string::npos) << form;
    EXPECT_EQ(form.find("Enable QOS"), std::string::npos) << form; // never shown: no window

    EXPECT_TRUE(platform::automation::SelectPage(sheet.m_hWnd, "advanced"));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    form = platform::automation::RenderWindow(sheet.m_hWnd);
    EXPECT_NE(form.find("  tabs: {General | >Advanced<}\n"), std::string::npos) << form;
    EXPECT_NE(form.find("[ ] 1001 \"Enable QOS\""), std::string::npos) << form;
    // The control is found inside the page.
    EXPECT_TRUE(platform::automation::Click(sheet.m_hWnd, "1001"));
    EXPECT_EQ(IsDlgButtonChecked(advanced.m_hWnd, 1001), BST_CHECKED);
    EXPECT_TRUE(platform::automation::SelectPage(sheet.m_hWnd, "#0"));
    EXPECT_FALSE(platform::automation::SelectPage(sheet.m_hWnd, "Missing"));
    sheet.DestroyWindow();
}

} // namespace
