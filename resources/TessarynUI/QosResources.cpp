#include "resources/TessarynUI/QosResources.h"

#include "platform/ui/controls/CommCtrl.h"
#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;

const DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
const DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
const DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

DialogTemplate qosPage()
{
    DialogTemplate t = EmptyPageTemplate("QoS");
    t.controls = {
        Control("Button", "", IDC_QOS_WMM, kCheck, {10, 8, 150, 18}),
        Control("Button", "", IDC_QOS_WMM_SETUP, kButton, {200, 6, 266, 20}),
        Control("Button", "", IDC_QOS_APSD, kCheck, {10, 24, 150, 34}),
        Control("Button", "", IDC_QOS_POWERSAVE, kButton, {200, 22, 266, 36}),
        Control("Button", "", IDC_QOS_DLS, kCheck, {10, 40, 150, 50}),
        Control("Button", "", IDC_QOS_DLS_SETUP, kButton, {200, 38, 266, 52}),
        Control("Button", "", IDC_QOS_DIRECT_LINK_GROUP, BS_GROUPBOX, {6, 56, 274, 196}),
        Control("Button", "", IDC_QOS_DLS_SETUP_GROUP, BS_GROUPBOX, {10, 66, 270, 112}),
        Control("Static", "", IDC_QOS_MAC_LABEL, SS_LEFT, {14, 78, 66, 88}),
    };
    const int anMacIds[6] = {IDC_QOS_MAC1, IDC_QOS_MAC2, IDC_QOS_MAC3,
                             IDC_QOS_MAC4, IDC_QOS_MAC5, IDC_QOS_MAC6};
    for (int i = 0; i < 6; i++)
    {
        int x = 68 + 20 * i;
        t.controls.push_back(Control("Edit", "", anMacIds[i], kEdit, {x, 76, x + 16, 88}));
    }
    t.controls.push_back(Control("Static", "Timeout :", IDC_STATIC, SS_LEFT, {14, 96, 66, 106}));
    t.controls.push_back(Control("Edit", "", IDC_QOS_TIMEOUT, kEdit, {68, 94, 100, 106}));
    t.controls.push_back(Control("Static", "", IDC_QOS_SEC, SS_LEFT, {104, 96, 124, 106}));
    t.controls.push_back(Control("Button", "", IDC_QOS_LINK_SETUP, kButton, {200, 76, 266, 90}));
    t.controls.push_back(Control("Button", "", IDC_QOS_TEAR_DOWN, kButton, {200, 94, 266, 108}));
    t.controls.push_back(
        Control("Button", "", IDC_QOS_DLS_STATUS_GROUP, BS_GROUPBOX, {10, 116, 270, 192}));
    t.controls.push_back(
        Control(WC_LISTVIEW, "", IDC_QOS_DLS_LIST,
                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
                {14, 126, 266, 188}));
    return t;
}

DialogTemplate powerSaveDialog()
{
    DialogTemplate t;
    t.caption = "Power Save Setting";
    t.rect = {0, 0, 160, 90};
    t.controls = {
        Control("Button", "AC_BE", IDC_PS_AC_BE, kCheck, {12, 10, 70, 20}),
        Control("Button", "AC_BK", IDC_PS_AC_BK, kCheck, {12, 26, 70, 36}),
        Control("Button", "AC_VI", IDC_PS_AC_VI, kCheck, {12, 42, 70, 52}),
        Control("Button", "AC_VO", IDC_PS_AC_VO, kCheck, {12, 58, 70, 68}),
        Control("Button", "Apply", IDC_PS_APPLY, BS_DEFPUSHBUTTON | WS_TABSTOP, {90, 10, 150, 24}),
    };
    return t;
}

} // namespace

void RegisterQosTemplates()
{
    platform::RegisterDialogTemplate(IDD_QOS_PAGE, qosPage());
    platform::RegisterDialogTemplate(IDD_POWERSAVE_DLG, powerSaveDialog());
}

void AddQosStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_PAGE_QOS, "QoS"},
        {IDS_QOS_COL_MAC, "MAC Address"},
        {IDS_QOS_COL_TIMEOUT, "Timeout"},
        {IDS_QOS_INVALID_MAC, "Invalid MAC Address"},
        {IDS_QOS_GROUP_MAC, "Invalid MAC Address"},
        {IDS_QOS_TIMEOUT_RANGE, "Please enter a integer between 0 to 65535."},
        {IDS_QOS_WMM, "WMM Enable"},
        {IDS_QOS_TEAR_DOWN, "Tear Down"},
        {IDS_QOS_SETTING, "Setting..."},
        {IDS_QOS_APSD, "WMM - Power Save Enable"},
        {IDS_QOS_DLS, "Direct Link Setup Enable"},
        {IDS_QOS_DIRECT_LINK, "Direct Link"},
        {IDS_QOS_DLS_SETUP, "Direct Link Setup"},
        {IDS_QOS_DLS_STATUS, "DLS Status"},
        {IDS_POWERSAVE_CAPTION, "Power Save Setting"},
        {IDS_QOS_MAC_LABEL, "MAC Address :"},
        {IDS_QOS_SEC, "sec"},
    });
}
