#include "platform/ui/controls/ControlNotify.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/WindowOps.h"

#include <algorithm>
#include <cstring>

namespace platform::controls
{

LRESULT NotifyParentCommand(HWND control, UINT code)
{
    HWND parent = GetParent(control);
    if (parent == 0)
        return 0;
    const WORD id = static_cast<WORD>(GetDlgCtrlID(control));
    return SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, static_cast<WORD>(code)),
                        static_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, UINT code, NMHDR& hdr)
{
    hdr.hwndFrom = control;
    hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    hdr.code = code;
    HWND parent = GetParent(control);
    if (parent == 0)
        return 0;
    platform::PointerParam record(&hdr);
    return SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(hdr.idFrom), record);
}

DWORD ControlStyle(HWND control)
{
    return static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
}

void SetControlText(HWND control, const std::string& text)
{
    platform::ui::SetWindowTitle(control, text);
}

std::string ControlText(HWND control)
{
    return platform::ui::WindowTitle(control).value_or(std::string());
}

int CopyOut(const std::string& text, char* buffer, int size)
{
    if (buffer == nullptr)
        return 0;
    if (size == 0)
        return 0;
    std::size_t n = text.size();
    if (size > 0)
        n = std::min<std::size_t>(n, static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

} // namespace platform::controls
