#include "resources/TessarynUI/TessarynUIResources.h"

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

namespace
{

using platform::DialogControl;
using platform::DialogTemplate;

// Rectangles are in dialog units.
DialogControl control(const char* className, const char* text, int id, DWORD style, RECT rect)
{
    DialogControl c;
    c.className = className;
    c.text = text;
    c.id = id;
    c.style = WS_CHILD | WS_VISIBLE | style;
    c.rect = rect;
    return c;
}

DialogTemplate selectCardDialog()
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    t.caption = "Select wireless lan card";
    t.rect = {0, 0, 280, 120};
    t.controls = {
        control("Static", "Friendly Name : ", IDC_STATIC, SS_LEFT, {10, 10, 90, 20}),
        control("ComboBox", "", IDC_SELCARD_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                {92, 8, 270, 70}),
        control("Static", "Device Description : ", IDC_STATIC, SS_LEFT, {10, 28, 90, 38}),
        control("Static", "", IDC_SELCARD_DEVICEDESC, SS_LEFT, {92, 28, 270, 38}),
        control("Static", "Hardware ID : ", IDC_STATIC, SS_LEFT, {10, 44, 90, 54}),
        control("Static", "", IDC_SELCARD_HARDWAREID, SS_LEFT, {92, 44, 270, 54}),
        control("Static", "Location Infoamation : ", IDC_STATIC, SS_LEFT, {10, 60, 90, 70}),
        control("Static", "", IDC_SELCARD_LOCATION, SS_LEFT, {92, 60, 270, 70}),
        control("Static", "Manufactory : ", IDC_STATIC, SS_LEFT, {10, 76, 90, 86}),
        control("Static", "", IDC_SELCARD_MANUFACTURER, SS_LEFT, {92, 76, 270, 86}),
        control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {115, 98, 165, 112}),
    };
    return t;
}

} // namespace

void RegisterTessarynUIResources()
{
    platform::RegisterDialogTemplate(IDD_SELCARD_DIALOG, selectCardDialog());
}
