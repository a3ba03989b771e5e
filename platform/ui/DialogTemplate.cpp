#include "platform/ui/DialogTemplate.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/WindowOps.h"

#include <map>
#include <mutex>

namespace platform
{
namespace
{

struct Templates
{
    std::mutex mutex;
    std::map<UINT, DialogTemplate> byId;
};

Templates& templates()
{
    static Templates* instance = new Templates;
    return *instance;
}

} // namespace

void RegisterDialogTemplate(UINT id, DialogTemplate dialogTemplate)
{
    std::lock_guard lock(templates().mutex);
    templates().byId[id] = std::move(dialogTemplate);
}

std::optional<DialogTemplate> FindDialogTemplate(UINT id)
{
    std::lock_guard lock(templates().mutex);
    auto it = templates().byId.find(id);
    if (it == templates().byId.end())
        return std::nullopt;
    return it->second;
}

DialogTemplate DialogTemplateOrDefault(UINT id)
{
    if (auto found = FindDialogTemplate(id))
        return *found;
    return DialogTemplate{};
}

HWND CreateDialogFromTemplate(const DialogTemplate& t, HWND hWndOwner, LPARAM initParam)
{
    const RECT& r = t.rect;
    HWND hDlg =
        CreateWindowExA(t.exStyle, WC_DIALOG, t.caption.c_str(), t.style & ~WS_VISIBLE, r.left,
                        r.top, r.right - r.left, r.bottom - r.top, hWndOwner, 0, 0, nullptr);
    if (hDlg == 0)
        return 0;
    HWND firstTabStop = 0;
    for (const DialogControl& c : t.controls)
    {
        HWND hCtl =
            CreateWindowExA(c.exStyle, c.className.c_str(), c.text.c_str(), c.style | WS_CHILD,
                            c.rect.left, c.rect.top, c.rect.right - c.rect.left,
                            c.rect.bottom - c.rect.top, hDlg, static_cast<HMENU>(c.id), 0, nullptr);
        if (hCtl == 0)
        {
            DWORD error = GetLastError();
            DestroyWindow(hDlg);
            SetLastError(error);
            return 0;
        }
        if (firstTabStop == 0 && (c.style & WS_TABSTOP) != 0 && (c.style & WS_DISABLED) == 0)
            firstTabStop = hCtl;
    }
    if (SendMessageA(hDlg, WM_INITDIALOG, firstTabStop, initParam) != 0 && firstTabStop != 0 &&
        IsWindow(firstTabStop))
        SetFocus(firstTabStop);
    if (IsWindow(hDlg) && (t.style & WS_VISIBLE) != 0 && !ui::IsDialogEnded(hDlg))
        ShowWindow(hDlg, SW_SHOWNORMAL);
    return IsWindow(hDlg) ? hDlg : 0;
}

} // namespace platform

BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    if (!platform::ui::SetDialogEnded(hDlg, nResult))
    {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return TRUE;
}
