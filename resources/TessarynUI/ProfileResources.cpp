#include "resources/TessarynUI/ProfileResources.h"

#include "resources/TessarynUI/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;

DialogTemplate profilePage()
{
    DialogTemplate t;
    t.style = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;
    t.caption = "Profile";
    t.rect = {0, 0, 280, 200};
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    t.controls = {
        Control("Button", "Profile List", IDC_PROFILE_GROUP, BS_GROUPBOX, {7, 7, 273, 160}),
        Control(WC_LISTVIEWA, "", IDC_PROFILE_LIST,
                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
                {14, 19, 266, 153}),
        Control("Button", "Add", IDC_PROFILE_ADD, button, {22, 170, 72, 184}),
        Control("Button", "Delete", IDC_PROFILE_DELETE, button, {84, 170, 134, 184}),
        Control("Button", "Edit", IDC_PROFILE_EDIT, button, {146, 170, 196, 184}),
        Control("Button", "Activate", IDC_PROFILE_ACTIVATE, button, {208, 170, 258, 184}),
    };
    return t;
}

} // namespace

void RegisterProfileTemplates()
{
    platform::RegisterDialogTemplate(IDD_PROFILE_PAGE, profilePage());
}

void AddProfileStrings(std::map<UINT, std::string>& strings)
{
    const std::pair<UINT, const char*> kStrings[] = {
        {IDS_COL_PROFILE_NAME, "Profile Name"},
        {IDS_COL_SSID, "SSID"},
        {IDS_COL_CHANNEL, "Channel"},
        {IDS_COL_AUTHENTICATION, "Authentication"},
        {IDS_COL_ENCRYPTION, "Encryption"},
        {IDS_COL_NETWORK_TYPE, "Network Type"},
        {IDS_PROFILE_ADD, "Add"},
        {IDS_PROFILE_DELETE, "Delete"},
        {IDS_PROFILE_EDIT, "Edit"},
        {IDS_PROFILE_ACTIVATE, "Activate"},
        {IDS_PROFILE_LIST, "Profile List"},
        {IDS_AUTH_OPEN, "Open"},
        {IDS_AUTH_SHARED, "Shared"},
        {IDS_AUTH_BLANK, " "},
        {IDS_AUTH_WPA, "WPA"},
        {IDS_AUTH_WPA_PSK, "WPA-PSK"},
        {IDS_AUTH_WPA_NONE, "WPA-NONE"},
        {IDS_AUTH_WPA2, "WPA2"},
        {IDS_AUTH_WPA2_PSK, "WPA2-PSK"},
        {IDS_AUTH_LEAP, "LEAP"},
        {IDS_AUTH_8021X_SUFFIX, "- Use 802.1X"},
        {IDS_ENC_TKIP, "TKIP"},
        {IDS_ENC_AES, "AES"},
        {IDS_ADD_PROFILE, "Add Profile"},
        {IDS_EDIT_PROFILE, "Edit Profile"},
        {IDS_PROFILE_PREFIX, "PROF"},
        {IDS_PROFILE_NAME_TOO_LONG, "The profile name length is too long"},
        {IDS_ENTER_PROFILE_NAME, "Please enter profile name"},
        {IDS_CREATE_ANOTHER_PROFILE, "Create another profile?"},
        {IDS_DUPLICATE_PROFILE_NAME, "Duplicate profile name"},
        {IDS_WEP_ASCII_LENGTH, "WEP key requires 5 or 13 characters.(Note: 1 character is 2 hex)"},
        {IDS_SSID_REQUIRED, "SSID is required"},
        {IDS_WPA_PSK_INVALID, "Invalid WPA Pre-Shared key. WPA-PSK used field should use 8-63 "
                              "ASCII characters or 64 Hex characters."},
        {IDS_LEAP_ID_PASSWORD, "ID and Password required for LEAP!"},
        {IDS_WEP_HEX_LENGTH, "WEP key requires 10 or 26 Hex characters."},
        {IDS_WPA2_PSK_INVALID, "Invalid WPA2 Pre-Shared key. WPA2-PSK used field should use 8-63 "
                               "ASCII characters or 64 Hex characters."},
        {IDS_PROFILE_NAME_CHARS,
         "The profile name cannot contain \"]\" or a line break. Please enter another name."},
        {IDS_PROFILE_TEXT_LINE_BREAK,
         "A text of this profile contains a line break, which cannot be stored."},
    };
    for (const auto& entry : kStrings)
        strings[entry.first] = entry.second;
}
