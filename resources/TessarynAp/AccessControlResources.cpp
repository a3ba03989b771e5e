#include "resources/TessarynAp/AccessControlResources.h"

#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;
using resources::EmptyPageTemplate;
using resources::Hidden;

DialogTemplate accessControlPage()
{
    DialogTemplate t = EmptyPageTemplate("Access Control");
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    const DWORD mac = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
    t.controls = {
        Control("Static", "", IDC_ACL_POLICY_LABEL, SS_LEFT, {10, 10, 80, 20}),
        Control("ComboBox", "", IDC_ACL_POLICY_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                {84, 8, 180, 60}),
        Control("Static", "", IDC_ACL_MAC_LABEL, SS_LEFT, {10, 28, 80, 38}),
        Control("Edit", "", IDC_ACL_MAC_EDIT, mac, {84, 26, 180, 38}),
        Control("Button", "", IDC_ACL_ADD, button, {186, 26, 240, 38}),
        Control("Static", "", IDC_ACL_LIST_LABEL, SS_LEFT, {10, 46, 80, 56}),
        Control("ListBox", "", IDC_ACL_LIST, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                {84, 46, 180, 186}),
        Control("Button", "", IDC_ACL_DELETE, button, {186, 46, 240, 58}),
        Control("Button", "", IDC_ACL_REMOVE_ALL, button, {186, 62, 240, 74}),
        Control("Button", "", IDC_ACL_APPLY, button, {186, 172, 240, 186}),
        // The in-place edit of a row: placed over the row it edits while it is shown.
        Hidden("Edit", "", IDC_ACL_MODIFY_EDIT, mac, {84, 46, 144, 56}),
        Hidden("Button", "", IDC_ACL_MODIFY, button, {144, 46, 180, 56}),
        Hidden("Button", "", IDC_ACL_CANCEL, button, {182, 46, 218, 56}),
    };
    return t;
}

} // namespace

void RegisterAccessControlTemplate()
{
    platform::RegisterDialogTemplate(IDD_ACCESSCONTROL_PAGE, accessControlPage());
}

void AddAccessControlStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_ACL_DELETE, "Delete"},
        {IDS_ACL_REMOVE_ALL, "Remove All"},
        {IDS_ACL_APPLY, "Apply"},
        {IDS_ACL_MODIFY, "Modify"},
        {IDS_ACL_POLICY_LABEL, "Access Policy"},
        {IDS_ACL_LIST_LABEL, "Access List"},
        {IDS_ACL_ADD, "Add"},
        {IDS_ACL_DISABLE, "Disable"},
        {IDS_ACL_ALLOW_ALL, "Allow All"},
        {IDS_ACL_REJECT_ALL, "Reject All"},
        {IDS_ACL_INVALID_MAC, "Invalid MAC"},
        {IDS_ACL_MULTICAST_MAC, "Multicast MAC Not Accepted"},
        {IDS_ACL_DUPLICATED_MAC, "Duplicated MAC"},
        {IDS_ACL_ERROR_CAPTION, "AP Error Message"},
    });
}
