#include "resources/TessarynAp/SecurityResources.h"

#include "platform/ui/controls/CommCtrl.h"
#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;
using resources::Hidden;

// Each key's hex and ASCII edits lie on one another: the key's type shows one of them.
void addKeyRow(DialogTemplate& t, int nType, int nHex, int nAscii, int y)
{
    const DWORD key = ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP;
    t.controls.push_back(Control("ComboBox", "", nType, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                 {56, y, 100, y + 48}));
    t.controls.push_back(Control("Edit", "", nHex, key | ES_LOWERCASE, {104, y, 288, y + 12}));
    t.controls.push_back(Control("Edit", "", nAscii, key, {104, y, 288, y + 12}));
}

DialogTemplate securityDialog()
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    t.caption = "Authentication & Security";
    t.rect = {0, 0, 300, 232};
    const DWORD list = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    const DWORD edit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
    t.controls = {
        Control("Static", "", IDC_SECU_AUTH_LABEL, SS_LEFT, {10, 10, 92, 20}),
        Control("ComboBox", "", IDC_SECU_AUTH_COMBO, list, {96, 8, 210, 80}),
        Control("Static", "", IDC_SECU_ENCRYPT_LABEL, SS_LEFT, {10, 28, 92, 38}),
        Control("ComboBox", "", IDC_SECU_ENCRYPT_COMBO, list, {96, 26, 210, 80}),
        Control("Static", "", IDC_SECU_PSK_LABEL, SS_LEFT, {10, 46, 92, 56}),
        Control("Edit", "", IDC_SECU_PSK_EDIT, edit | ES_PASSWORD, {96, 44, 288, 56}),
        Control("Static", "", IDC_SECU_REKEY_LABEL, SS_LEFT, {10, 64, 92, 74}),
        Control("Edit", "", IDC_SECU_REKEY_EDIT, edit | ES_RIGHT | ES_NUMBER, {96, 62, 150, 74}),
        Control("Button", "", IDC_SECU_REKEY_UNIT, BS_PUSHBUTTON | WS_TABSTOP, {156, 62, 210, 74}),
        Hidden(WC_IPADDRESS, "", IDC_SECU_RADIUS_IP, WS_TABSTOP, {96, 80, 200, 92}),
        Hidden("Edit", "", IDC_SECU_RADIUS_PORT, edit | ES_NUMBER, {206, 80, 240, 92}),
        Hidden("Edit", "", IDC_SECU_RADIUS_KEY, edit, {244, 80, 288, 92}),
        Control("Button", "", IDC_SECU_WEP_GROUP, BS_GROUPBOX, {6, 82, 294, 170}),
        Control("Button", "", IDC_SECU_KEY1_RADIO, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                {12, 96, 52, 106}),
        Control("Button", "", IDC_SECU_KEY2_RADIO, BS_AUTORADIOBUTTON, {12, 114, 52, 124}),
        Control("Button", "", IDC_SECU_KEY3_RADIO, BS_AUTORADIOBUTTON, {12, 132, 52, 142}),
        Control("Button", "", IDC_SECU_KEY4_RADIO, BS_AUTORADIOBUTTON, {12, 150, 52, 160}),
    };
    addKeyRow(t, IDC_SECU_KEY1_TYPE, IDC_SECU_KEY1_HEX, IDC_SECU_KEY1_ASCII, 94);
    addKeyRow(t, IDC_SECU_KEY2_TYPE, IDC_SECU_KEY2_HEX, IDC_SECU_KEY2_ASCII, 112);
    addKeyRow(t, IDC_SECU_KEY3_TYPE, IDC_SECU_KEY3_HEX, IDC_SECU_KEY3_ASCII, 130);
    addKeyRow(t, IDC_SECU_KEY4_TYPE, IDC_SECU_KEY4_HEX, IDC_SECU_KEY4_ASCII, 148);
    t.controls.push_back(Control("Static", "", IDC_SECU_WEP_NOTE, SS_LEFT, {10, 174, 294, 194}));
    t.controls.push_back(Control("Button", "", IDC_SECU_SHOW_PASSWORD, BS_AUTOCHECKBOX | WS_TABSTOP,
                                 {10, 198, 120, 208}));
    t.controls.push_back(
        Control("Button", "", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, {130, 212, 180, 226}));
    t.controls.push_back(
        Control("Button", "", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, {190, 212, 240, 226}));
    return t;
}

} // namespace

void RegisterSecurityTemplate()
{
    platform::RegisterDialogTemplate(IDD_AUTHSECU_DIALOG, securityDialog());
}

void AddSecurityStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_SECU_REKEY_LABEL, "Group Rekey Interval"},
        {IDS_SECU_TKIP, "TKIP"},
        {IDS_SECU_AES, "AES"},
        {IDS_SECU_WPA_PSK, "WPA-PSK"},
        {IDS_SECU_NOT_USE, "Not Use"},
        {IDS_SECU_WEP, "WEP"},
        {IDS_SECU_AUTH_LABEL, "Authentication Type"},
        {IDS_SECU_WEP_GROUP, "Wep Key"},
        {IDS_SECU_KEY1, "Key#1"},
        {IDS_SECU_KEY2, "Key#2"},
        {IDS_SECU_KEY3, "Key#3"},
        {IDS_SECU_KEY4, "Key#4"},
        {IDS_SECU_OPEN, "Open"},
        {IDS_SECU_SHARED, "Shared"},
        {IDS_SECU_HEX, "Hex"},
        {IDS_SECU_ASCII, "ASCII"},
        {IDS_SECU_TITLE, "Security Setting"},
        {IDS_SECU_PSK_LABEL, "WPA Pre-shared-Key"},
        {IDS_SECU_ENCRYPT_LABEL, "Encryption Type"},
        {IDS_SECU_REKEY_SECONDS, "10 seconds"},
        {IDS_SECU_REKEY_KPACKETS, "Kpackets"},
        {IDS_SECU_WEP_LENGTH, "Invalid Key Length  -  WEP requires 5 or 13 characters. \n(Note : 1 "
                              "character is 2 hexa)"},
        {IDS_SECU_PSK_LENGTH, "Invalid Key Length  -  WPA-PSK requires 8~32 ASCII characters"},
        {IDS_SECU_WPA2_PSK, "WPA2-PSK"},
        {IDS_SECU_WPA_WPA2_PSK, "WPA-PSK/WPA2-PSK"},
        {IDS_SECU_BOTH, "BOTH"},
        {IDS_SECU_WEP_NOTE, "* WEP 64 Bits Encryption:  Please Keyin 10 HEX characters or 5 ASCII "
                            "characters\n* WEP 128 Bits Encryption:  Please Keyin 26 HEX "
                            "characters or 13 ASCII characters"},
        {IDS_SECU_SHOW_PASSWORD, "Show Password"},
    });
}
