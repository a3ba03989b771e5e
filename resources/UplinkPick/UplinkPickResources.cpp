#include "resources/UplinkPick/UplinkPickResources.h"

#include "platform/Windows.h"
#include "resources/UplinkPick/resource.h"
#include "resources/common/DialogScript.h"

#include <map>
#include <string>

namespace
{

using platform::DialogTemplate;
using resources::Control;

DialogTemplate mainDialog()
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
              WS_MINIMIZEBOX;
    t.exStyle = WS_EX_APPWINDOW;
    t.caption = "Internet  Connection Sharing with SoftAP";
    t.rect = {0, 0, 262, 134};
    const DWORD label = SS_LEFT;
    const DWORD field = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP;
    t.controls = {
        Control("Static", "Please select a network card which had Internet access(WAN)", IDC_STATIC,
                label, {10, 8, 252, 18}),
        Control("Static", "Name", IDC_STATIC, label, {10, 28, 64, 38}),
        Control("ComboBox", "", IDC_COMBO_ADAPTER,
                CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, {70, 26, 252, 106}),
        Control("Static", "Description", IDC_STATIC, label, {10, 46, 64, 56}),
        Control("Edit", "", IDC_EDIT_DESCRIPTION, field, {70, 44, 252, 56}),
        Control("Static", "MAC Address", IDC_STATIC, label, {10, 64, 64, 74}),
        Control("Edit", "", IDC_EDIT_MAC, field, {70, 62, 252, 74}),
        Control("Static", "IP Address", IDC_STATIC, label, {10, 82, 64, 92}),
        Control("Edit", "", IDC_EDIT_IP, field, {70, 80, 252, 92}),
        Control("Button", "&Enable ICS", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {40, 108, 120, 124}),
        Control("Button", "&Not enable ICS", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP,
                {142, 108, 222, 124}),
    };
    return t;
}

DialogTemplate aboutDialog()
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    t.caption = "\xE9\x97\x9C\xE6\x96\xBC UplinkPick"; // "About UplinkPick"
    t.rect = {0, 0, 217, 55};
    t.controls = {
        Control("Static", "#128", IDC_STATIC, SS_ICON, {11, 17, 31, 37}),
        Control("Static", "UplinkPick Version 1.0", IDC_STATIC, SS_LEFT | SS_NOPREFIX,
                {40, 10, 159, 18}),
        Control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, {178, 7, 210, 21}),
    };
    return t;
}

const std::map<UINT, std::string>& stringTable()
{
    static const std::map<UINT, std::string> strings = {
        // "About UplinkPick(&A)..."
        {IDS_ABOUTBOX, "\xE9\x97\x9C\xE6\x96\xBC UplinkPick(&A)..."},
    };
    return strings;
}

} // namespace

void RegisterUplinkPickResources()
{
    platform::RegisterIconResource(IDR_MAINFRAME, "UplinkPick");
    platform::RegisterDialogTemplate(IDD_ABOUTBOX, aboutDialog());
    platform::RegisterDialogTemplate(IDD_UPLINKPICK_DIALOG, mainDialog());
    platform::SetStringResolver(
        [](UINT id) -> std::optional<std::string>
        {
            auto it = stringTable().find(id);
            if (it == stringTable().end())
                return std::nullopt;
            return it->second;
        });
}
