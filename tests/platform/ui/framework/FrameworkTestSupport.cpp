#include "tests/platform/ui/framework/FrameworkTestSupport.h"

namespace framework_test
{

void FrameworkTest::SetUp()
{
    platform::UseManualClock(1000);
    MSG msg;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
    {
    }
    platform::ClearMessageBoxLog();
}

void FrameworkTest::TearDown()
{
    platform::SetIdleHook(nullptr);
    platform::afx::SetValidationReporter(nullptr);
    platform::SetFileDialogAnswer(nullptr);
}

platform::DialogControl Control(const char* className, int id, DWORD style, const char* text,
                                RECT rect)
{
    platform::DialogControl c;
    c.className = className;
    c.text = text;
    c.id = id;
    c.style = style | WS_CHILD;
    c.rect = rect;
    return c;
}

void RegisterTemplate(UINT id, const char* caption, std::vector<platform::DialogControl> controls,
                      RECT rect, DWORD style)
{
    platform::DialogTemplate t;
    if (style != 0)
        t.style = style;
    t.caption = caption;
    t.rect = rect;
    t.controls = std::move(controls);
    platform::RegisterDialogTemplate(id, std::move(t));
}

std::string TextOf(HWND hwnd)
{
    char buffer[512] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

HWND FindDialog(const char* caption)
{
    return FindWindowA(WC_DIALOG, caption);
}

} // namespace framework_test
