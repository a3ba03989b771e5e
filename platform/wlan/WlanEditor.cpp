// The credential editor: a modal dialog over a stored profile, run on the calling thread, so the
// call returns only when the user (or a test) closes it.
#include "platform/wlan/WlanEditor.h"
#include "platform/wlan/internal/WlanClient.h"

#include "machine/wlan/ProfileXml.h"
#include "machine/wlan/WlanService.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/framework/Dialog.h"

#include <atomic>

namespace
{

// Template ids of the editors, in turn.
constexpr UINT kEditorTemplateBase = 0xF200;
constexpr UINT kEditorTemplates = 64;

const char* PageName(WL_DISPLAY_PAGES page)
{
    switch (page)
    {
    case WLConnectionPage:
        return "Connection";
    case WLSecurityPage:
        return "Security";
    default:
        return "Advanced";
    }
}

// Each editor has a template of its own, its texts in place when its controls are made: editors
// open at the same time on several threads keep their own texts.
UINT RegisterEditorTemplate(const std::string& profileName, WL_DISPLAY_PAGES page)
{
    static std::atomic<UINT> next{0};
    const UINT id = kEditorTemplateBase + next++ % kEditorTemplates;
    using platform::DialogControl;
    platform::DialogTemplate t;
    t.caption = platform::wlan::kProfileEditorTitle;
    t.rect = RECT{0, 0, 240, 90};
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    t.controls = {
        DialogControl{"Static", "Profile name:", IDC_STATIC, label, 0, {7, 9, 70, 19}},
        DialogControl{"Static",
                      profileName,
                      platform::wlan::kProfileEditorNameId,
                      label,
                      0,
                      {72, 9, 233, 19}},
        DialogControl{"Static", "Page:", IDC_STATIC, label, 0, {7, 27, 70, 37}},
        DialogControl{"Static",
                      PageName(page),
                      platform::wlan::kProfileEditorPageId,
                      label,
                      0,
                      {72, 27, 233, 37}},
        DialogControl{"Button", "OK", IDOK, button | BS_DEFPUSHBUTTON, 0, {129, 69, 179, 83}},
        DialogControl{"Button", "Cancel", IDCANCEL, button, 0, {183, 69, 233, 83}},
    };
    platform::RegisterDialogTemplate(id, t);
    return id;
}

} // namespace

DWORD WlanUIEditProfile(DWORD dwClientVersion, LPCWSTR wstrProfileName, GUID* pInterfaceGuid,
                        HWND hWnd, WL_DISPLAY_PAGES wlStartPage, PVOID pReserved,
                        PWLAN_REASON_CODE pWlanReasonCode)
{
    if (pWlanReasonCode != nullptr)
        *pWlanReasonCode = 0;
    if (dwClientVersion != WLAN_UI_API_VERSION || pReserved != nullptr ||
        wstrProfileName == nullptr || pInterfaceGuid == nullptr || wlStartPage > WLAdvPage)
        return ERROR_INVALID_PARAMETER;
    const machine::Machine& m = machine::CurrentMachine();
    std::string name = platform::wlan::NarrowText(wstrProfileName);
    if (DWORD error = machine::wlan::BeginCall(m, "WlanUIEditProfile", "\"" + name + "\""))
        return error;
    std::string guid;
    if (DWORD error = platform::wlan::CheckInterface(pInterfaceGuid, guid))
        return error;
    if (!machine::wlan::GetProfile(m, guid, name))
    {
        if (pWlanReasonCode != nullptr)
            *pWlanReasonCode = machine::wlan::kReasonProfileMissing;
        return ERROR_NOT_FOUND;
    }

    // Owned by the caller's window when it names one; never by whatever else is the main
    // window, which may belong to another thread.
    CWnd noOwner;
    CWnd* owner = &noOwner;
    if (hWnd != 0 && ::IsWindow(hWnd))
        owner = CWnd::FromHandle(hWnd);
    CDialog dlg(RegisterEditorTemplate(name, wlStartPage), owner);
    INT_PTR result = dlg.DoModal();
    machine::wlan::Log(m, "profile editor \"" + name + "\" closed with " + std::to_string(result));
    // The document stays as it is; OK gives the service the user's 802.1X credentials for it.
    if (result == IDOK)
    {
        machine::wlan::SetProfileCredentials(m, guid, name);
        return ERROR_SUCCESS;
    }
    return result == -1 ? ERROR_NOT_ENOUGH_MEMORY : ERROR_CANCELLED;
}
