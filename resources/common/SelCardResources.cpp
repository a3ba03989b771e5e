#include "resources/common/SelCardResources.h"

#include "platform/Windows.h"
#include "resources/common/DialogScript.h"
#include "resources/common/SelCardIds.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;

DialogTemplate selectCardDialog()
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    t.caption = "Select wireless lan card";
    t.rect = {0, 0, 280, 120};
    t.controls = {
        Control("Static", "Friendly Name : ", IDC_STATIC, SS_LEFT, {10, 10, 90, 20}),
        Control("ComboBox", "", IDC_SELCARD_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                {92, 8, 270, 70}),
        Control("Static", "Device Description : ", IDC_STATIC, SS_LEFT, {10, 28, 90, 38}),
        Control("Static", "", IDC_SELCARD_DEVICEDESC, SS_LEFT, {92, 28, 270, 38}),
        Control("Static", "Hardware ID : ", IDC_STATIC, SS_LEFT, {10, 44, 90, 54}),
        Control("Static", "", IDC_SELCARD_HARDWAREID, SS_LEFT, {92, 44, 270, 54}),
        Control("Static", "Location Infoamation : ", IDC_STATIC, SS_LEFT, {10, 60, 90, 70}),
        Control("Static", "", IDC_SELCARD_LOCATION, SS_LEFT, {92, 60, 270, 70}),
        Control("Static", "Manufactory : ", IDC_STATIC, SS_LEFT, {10, 76, 90, 86}),
        Control("Static", "", IDC_SELCARD_MANUFACTURER, SS_LEFT, {92, 76, 270, 86}),
        Control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {115, 98, 165, 112}),
    };
    return t;
}

} // namespace

void RegisterSelCardTemplate()
{
    platform::RegisterDialogTemplate(IDD_SELCARD_DIALOG, selectCardDialog());
}
