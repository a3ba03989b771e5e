#include "tests/controls/CustomControlsTestSupport.h"

#include <vector>

namespace custom_controls_test
{

namespace
{

platform::DialogControl control(const char* className, int id, DWORD style, RECT rect,
                                std::vector<std::string> items = {})
{
    platform::DialogControl c;
    c.className = className;
    c.id = id;
    c.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | style;
    c.rect = rect;
    c.items = std::move(items);
    return c;
}

} // namespace

void CCustomControlsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SMART, m_edit);
    DDX_Control(pDX, IDC_SMART_VERT, m_editVert);
    DDX_Control(pDX, IDC_SLIDER, m_slider);
    DDX_Control(pDX, IDC_SLIDER_VERT, m_sliderVert);
    DDX_Control(pDX, IDC_COMBO, m_combo);
    DDX_Control(pDX, IDC_COMBO_EMPTY, m_comboEmpty);
    DDX_Control(pDX, IDC_LIST_NOHSCROLL, m_listNoHScroll);
    DDX_Control(pDX, IDC_LIST_SITE, m_listSite);
}

void CustomControlsTest::SetUp()
{
    platform::UseManualClock(1000);
    MSG msg;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
    {
    }
    platform::ClearBeepLog();
    for (UINT id : {IDI_SITE_LIST_0, IDI_SITE_LIST_1, IDI_SITE_LIST_2})
        platform::RegisterIconResource(id, "site list icon " + std::to_string(id));

    platform::DialogTemplate t;
    t.caption = "Custom controls";
    t.rect = {0, 0, 300, 200};
    t.controls = {
        control("Edit", IDC_SMART, ES_AUTOHSCROLL, {10, 10, 60, 12}),
        control("Edit", IDC_SMART_VERT, ES_AUTOHSCROLL, {10, 30, 60, 12}),
        control("Edit", IDC_OTHER, ES_AUTOHSCROLL, {10, 50, 60, 12}),
        control(TRACKBAR_CLASSA, IDC_SLIDER, TBS_HORZ, {80, 10, 100, 15}),
        control(TRACKBAR_CLASSA, IDC_SLIDER_VERT, TBS_VERT, {190, 10, 15, 100}),
        control(TRACKBAR_CLASSA, IDC_SLIDER_PLAIN, TBS_HORZ, {80, 30, 100, 15}),
        // Narrower than any list they drop, so the dropped width reads back as set.
        control("ComboBox", IDC_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL, {10, 70, 2, 60},
                {"short", kWidestItem, "a middle one"}),
        control("ComboBox", IDC_COMBO_EMPTY, CBS_DROPDOWNLIST | WS_VSCROLL, {10, 90, 2, 60}),
        control(WC_LISTVIEWA, IDC_LIST_NOHSCROLL, LVS_REPORT | WS_HSCROLL | WS_VSCROLL | WS_BORDER,
                {10, 110, 120, 60}),
        control(WC_LISTVIEWA, IDC_LIST_SITE, LVS_REPORT | LVS_SINGLESEL, {140, 110, 150, 60}),
    };
    platform::RegisterDialogTemplate(IDD_CUSTOM_CONTROLS, std::move(t));
}

void CustomControlsTest::TearDown()
{
    if (m_dlg.m_hWnd != 0)
        m_dlg.DestroyWindow();
    platform::ClearImageResources();
}

bool CustomControlsTest::Open()
{
    return m_dlg.Create(IDD_CUSTOM_CONTROLS) != FALSE;
}

std::string CustomControlsTest::TextOf(HWND hwnd)
{
    char buffer[512] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

void CustomControlsTest::TypeAndLeave(HWND edit, const std::string& text)
{
    SetWindowTextA(edit, "");
    ASSERT_TRUE(platform::EditTypeAsUser(edit, text));
    Leave();
}

void CustomControlsTest::Leave()
{
    ::SetFocus(Item(IDC_OTHER));
}

} // namespace custom_controls_test
