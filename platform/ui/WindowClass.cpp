#include "platform/ui/WindowClass.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/controls/ControlProcs.h"

#include <strings.h>

#include <map>
#include <mutex>

namespace platform
{
namespace
{

struct NoCase
{
    bool operator()(const std::string& a, const std::string& b) const
    {
        return ::strcasecmp(a.c_str(), b.c_str()) < 0;
    }
};

struct ClassEntry
{
    WindowClassInfo info;
    bool system = false;
    ATOM atom = 0;
};

struct Classes
{
    std::mutex mutex;
    std::map<std::string, ClassEntry, NoCase> byName;
    ATOM nextAtom = 0xC000;

    Classes()
    {
        // The system's classes; the control areas replace the controls' procedures with theirs.
        add(WC_DIALOG, DefDlgProcA);
        add("AfxWnd", DefWindowProcA);
        add("Button", controls::ButtonProc);
        add("Static", controls::StaticProc);
        add("Edit", controls::EditProc);
        add("ComboBox", controls::ComboBoxProc);
        add("ListBox", controls::ListBoxProc);
        add("ScrollBar", controls::ScrollBarProc);
        add("SysListView32", controls::ListViewProc);
        add("msctls_trackbar32", controls::TrackbarProc);
        add("msctls_progress32", controls::ProgressProc);
        add("SysIPAddress32", controls::IpAddressProc);
    }
    void add(const std::string& name, WNDPROC proc)
    {
        ClassEntry& entry = byName[name];
        if (entry.atom == 0)
            entry.atom = nextAtom++;
        entry.info = {name, proc};
        entry.system = true;
    }
};

Classes& classes()
{
    static Classes* instance = new Classes;
    return *instance;
}

} // namespace

void RegisterSystemClass(const std::string& name, WNDPROC proc)
{
    Classes& c = classes();
    std::lock_guard lock(c.mutex);
    c.add(name, proc);
}

std::optional<WindowClassInfo> FindWindowClass(const std::string& name)
{
    Classes& c = classes();
    std::lock_guard lock(c.mutex);
    auto it = c.byName.find(name);
    if (it == c.byName.end())
        return std::nullopt;
    return it->second.info;
}

} // namespace platform

ATOM RegisterClassA(const WNDCLASSA* lpWndClass)
{
    if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr ||
        *lpWndClass->lpszClassName == '\0' || lpWndClass->lpfnWndProc == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto& c = platform::classes();
    std::lock_guard lock(c.mutex);
    if (c.byName.count(lpWndClass->lpszClassName) != 0)
    {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto& entry = c.byName[lpWndClass->lpszClassName];
    entry.info = {lpWndClass->lpszClassName, lpWndClass->lpfnWndProc};
    entry.atom = c.nextAtom++;
    return entry.atom;
}

BOOL UnregisterClassA(LPCSTR lpClassName, HINSTANCE)
{
    auto& c = platform::classes();
    std::lock_guard lock(c.mutex);
    auto it = lpClassName != nullptr ? c.byName.find(lpClassName) : c.byName.end();
    if (it == c.byName.end() || it->second.system)
    {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    c.byName.erase(it);
    return TRUE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR lpClassName, WNDCLASSA* lpWndClass)
{
    auto info = lpClassName != nullptr ? platform::FindWindowClass(lpClassName) : std::nullopt;
    if (!info || lpWndClass == nullptr)
    {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *lpWndClass = WNDCLASSA{};
    lpWndClass->lpfnWndProc = info->proc;
    lpWndClass->lpszClassName = lpClassName;
    return TRUE;
}
