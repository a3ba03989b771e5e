#include "tests/platform/ui/controls/ControlsTestSupport.h"

namespace controls_test
{

ControlsTest* ControlsTest::s_current = nullptr;

void ControlsTest::SetUp()
{
    platform::UseManualClock(1000);
    MSG msg;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
    {
    }
    s_current = this;
}

void ControlsTest::TearDown()
{
    if (m_dialog != 0 && IsWindow(m_dialog))
        DestroyWindow(m_dialog);
    m_dialog = 0;
    s_current = nullptr;
}

HWND ControlsTest::MakeDialog(std::vector<platform::DialogControl> controls)
{
    if (m_dialog != 0 && IsWindow(m_dialog))
        DestroyWindow(m_dialog);
    platform::DialogTemplate dialogTemplate;
    dialogTemplate.caption = "Controls";
    dialogTemplate.rect = {0, 0, 300, 200};
    dialogTemplate.controls = std::move(controls);
    m_dialog = platform::CreateDialogFromTemplate(dialogTemplate, 0, 0);
    if (m_dialog != 0)
        platform::SetWindowProc(m_dialog, DialogProc);
    return m_dialog;
}

HWND ControlsTest::Item(int id) const
{
    return GetDlgItem(m_dialog, id);
}

std::vector<UINT> ControlsTest::CommandCodes(int id) const
{
    std::vector<UINT> codes;
    for (const Notice& n : m_notices)
        if (n.message == WM_COMMAND && n.id == id)
            codes.push_back(n.code);
    return codes;
}

std::vector<UINT> ControlsTest::NotifyCodes() const
{
    std::vector<UINT> codes;
    for (const Notice& n : m_notices)
        if (n.message == WM_NOTIFY)
            codes.push_back(n.code);
    return codes;
}

LRESULT CALLBACK ControlsTest::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ControlsTest* self = s_current;
    if (self == nullptr || (message != WM_COMMAND && message != WM_NOTIFY &&
                            message != WM_HSCROLL && message != WM_VSCROLL))
        return DefDlgProcA(hwnd, message, wParam, lParam);

    Notice n;
    n.message = message;
    if (message == WM_COMMAND)
    {
        n.id = LOWORD(wParam);
        n.code = HIWORD(wParam);
        n.from = static_cast<HWND>(lParam);
    }
    else if (message == WM_NOTIFY)
    {
        const NMHDR* hdr = platform::PointerFromParam<NMHDR>(lParam);
        if (hdr == nullptr)
            return 0;
        n.id = static_cast<int>(hdr->idFrom);
        n.code = hdr->code;
        n.from = hdr->hwndFrom;
        char className[32] = {};
        GetClassNameA(hdr->hwndFrom, className, sizeof className);
        // Only these carry a list view record; the focus codes carry a bare header.
        const bool listRecord = n.code == LVN_ITEMCHANGING || n.code == LVN_ITEMCHANGED ||
                                n.code == LVN_INSERTITEM || n.code == LVN_DELETEITEM ||
                                n.code == LVN_DELETEALLITEMS || n.code == NM_CLICK ||
                                n.code == NM_DBLCLK || n.code == LVN_ITEMACTIVATE;
        if (std::string(className) == WC_LISTVIEWA && listRecord)
        {
            const auto* nm = reinterpret_cast<const NMLISTVIEW*>(hdr);
            n.item = nm->iItem;
            n.subItem = nm->iSubItem;
            n.newState = nm->uNewState;
            n.oldState = nm->uOldState;
        }
    }
    else
    {
        n.code = LOWORD(wParam);
        n.pos = static_cast<SHORT>(HIWORD(wParam));
        n.from = static_cast<HWND>(lParam);
        n.id = GetDlgCtrlID(n.from);
    }
    if (self->m_probe)
        n.selectionSeen = self->m_probe(n);
    self->m_notices.push_back(n);
    if (self->m_onNotice)
        self->m_onNotice(n);
    if (message == WM_NOTIFY && self->m_notifyAnswer)
        return self->m_notifyAnswer(n);
    return 0;
}

platform::DialogControl Control(const char* className, int id, DWORD style, const char* text,
                                RECT rect)
{
    platform::DialogControl c;
    c.className = className;
    c.id = id;
    c.style = WS_CHILD | WS_VISIBLE | style;
    c.text = text;
    c.rect = rect;
    return c;
}

} // namespace controls_test
