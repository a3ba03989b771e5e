#include "resources/TessarynAp/WdsResources.h"

#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;
using resources::Hidden;

constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;

// The labels and buttons take their texts from the string table at start.
DialogTemplate wdsPage()
{
    DialogTemplate t = resources::EmptyPageTemplate("WDS");
    auto& c = t.controls;
    c.push_back(Control("Static", "", IDC_WDS_POLICY_LABEL, SS_LEFT, {7, 8, 70, 18}));
    c.push_back(Control("Button", "", IDC_WDS_ENABLE, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                        {74, 7, 124, 17}));
    c.push_back(Control("Button", "", IDC_WDS_DISABLE, BS_AUTORADIOBUTTON, {130, 7, 180, 17}));
    c.push_back(Control("Static", "", IDC_WDS_MAC_LABEL, SS_LEFT, {7, 24, 100, 42}));
    c.push_back(Control("Edit", "", IDC_WDS_MAC_EDIT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
                        {104, 26, 180, 38}));
    c.push_back(Control("Button", "", IDC_WDS_ADD, kPush, {186, 26, 230, 38}));
    c.push_back(Control("Static", "", IDC_WDS_LIST_LABEL, SS_LEFT, {7, 48, 100, 58}));
    c.push_back(Control("ListBox", "", IDC_WDS_LIST,
                        LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP, {7, 60, 180, 120}));
    c.push_back(Control("Button", "", IDC_WDS_DELETE, kPush, {186, 60, 230, 72}));
    c.push_back(Control("Button", "", IDC_WDS_REMOVE_ALL, kPush, {186, 78, 230, 90}));
    c.push_back(
        Hidden("Edit", "", IDC_WDS_MODIFY_EDIT, ES_AUTOHSCROLL | WS_BORDER, {7, 60, 67, 70}));
    c.push_back(Hidden("Button", "", IDC_WDS_MODIFY, kPush, {68, 60, 104, 70}));
    c.push_back(Hidden("Button", "", IDC_WDS_CANCEL, kPush, {106, 60, 142, 70}));
    c.push_back(Control("Static", "", IDC_WDS_NOTE1, SS_LEFT, {7, 128, 273, 138}));
    c.push_back(Control("Static", "", IDC_WDS_NOTE2, SS_LEFT, {7, 140, 273, 150}));
    c.push_back(Control("Button", "", IDC_WDS_APPLY, kPush, {218, 176, 273, 190}));
    return t;
}

} // namespace

void RegisterWdsTemplates()
{
    platform::RegisterDialogTemplate(IDD_WDS_PAGE, wdsPage());
}

void AddWdsStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_WDS_POLICY_LABEL, "WDS Policy"},
        {IDS_WDS_LIST_LABEL, "WDS AP List"},
        {IDS_WDS_ENABLE, "Enable"},
        {IDS_WDS_MAC_LABEL, "AP MAC : \n(etc: 0073FF123456)"},
        {IDS_WDS_NOTE1, "Note 1 : The same channel and encryption setting required in all AP's."},
        {IDS_WDS_NOTE2, "Note 2 : Loop disallowed in WDS."},
        // Shared with the Access Control page.
        {IDS_ACL_DELETE, "Delete"},
        {IDS_ACL_REMOVE_ALL, "Remove All"},
        {IDS_ACL_APPLY, "Apply"},
        {IDS_ACL_MODIFY, "Modify"},
        {IDS_ACL_ADD, "Add"},
        {IDS_ACL_DISABLE, "Disable"},
        {IDS_ACL_INVALID_MAC, "Invalid MAC"},
        {IDS_ACL_MULTICAST_MAC, "Multicast MAC Not Accepted"},
        {IDS_ACL_DUPLICATED_MAC, "Duplicated MAC"},
        {IDS_ACL_ERROR_CAPTION, "AP Error Message"},
        {IDS_CANCEL, "Cancel"},
    });
}
