#include "platform/ui/framework/MessageBox.h"

#include "platform/base/StringResolver.h"
#include "platform/ui/Window.h"
#include "platform/ui/framework/WinApp.h"

namespace
{

LPCSTR appCaption()
{
    LPCSTR name = AfxGetAppName();
    return name != nullptr && *name != '\0' ? name : "Error";
}

HWND defaultOwner()
{
    if (HWND active = GetActiveWindow(); active != 0 && IsWindowEnabled(active))
        return active;
    if (CWnd* main = AfxGetMainWnd())
        return main->GetSafeHwnd();
    return 0;
}

} // namespace

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    return MessageBoxA(defaultOwner(), lpszText, appCaption(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT)
{
    const std::string text = platform::ResolveString(nIDPrompt).value_or("");
    return AfxMessageBox(text.c_str(), nType, nIDPrompt);
}

int AfxWndMessageBox(HWND hWnd, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return MessageBoxA(hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : appCaption(), nType);
}
