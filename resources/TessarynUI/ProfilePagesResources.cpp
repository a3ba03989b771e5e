#include "resources/TessarynUI/ProfilePagesResources.h"

#include "platform/ui/controls/CommCtrl.h"
#include "resources/TessarynUI/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;
using resources::Hidden;

DialogTemplate sysConfigPage()
{
    DialogTemplate t;
    t.style = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;
    t.caption = "System Configuration";
    t.rect = {0, 0, 280, 200};
    const DWORD list = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    t.controls = {
        Control("Static", "", IDC_SC_PROFILE_NAME_LABEL, SS_LEFT, {14, 16, 90, 26}),
        Control("Edit", "", IDC_SC_PROFILE_NAME_EDIT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
                {96, 14, 260, 26}),
        Control("Static", "", IDC_SC_SSID_LABEL, SS_LEFT, {14, 38, 90, 48}),
        Control("ComboBox", "", IDC_SC_SSID_COMBO,
                CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, {96, 36, 260, 110}),
        Control("Static", "", IDC_SC_NETWORK_TYPE_LABEL, SS_LEFT, {14, 60, 90, 70}),
        Control("ComboBox", "", IDC_SC_NETWORK_TYPE_COMBO, list, {96, 58, 260, 100}),
        Control("Static", "", IDC_SC_TX_POWER_LABEL, SS_LEFT, {14, 82, 90, 92}),
        Control("ComboBox", "", IDC_SC_TX_POWER_COMBO, list, {96, 80, 260, 150}),
        Hidden("Button", "", IDC_SC_POWERSAVE_GROUP, BS_GROUPBOX, {8, 104, 272, 140}),
        Hidden("Button", "", IDC_SC_CAM_RADIO, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
               {14, 114, 140, 124}),
        Hidden("Button", "", IDC_SC_PSM_RADIO, BS_AUTORADIOBUTTON, {14, 126, 140, 136}),
        Hidden("Button", "", IDC_SC_CAM_ON_AC_CHECK, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP,
               {150, 114, 268, 124}),
        Hidden("Static", "", IDC_SC_PREAMBLE_LABEL, SS_LEFT, {14, 146, 90, 156}),
        Hidden("ComboBox", "", IDC_SC_PREAMBLE_COMBO, list, {96, 144, 260, 180}),
        Hidden("Button", "", IDC_SC_RTS_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP, {14, 160, 90, 170}),
        Hidden("Static", "0", IDC_SC_RTS_MIN_LABEL, SS_LEFT, {96, 160, 110, 170}),
        Hidden(TRACKBAR_CLASS, "", IDC_SC_RTS_SLIDER, TBS_HORZ | WS_TABSTOP, {112, 158, 200, 172}),
        Hidden("Static", "2347", IDC_SC_RTS_MAX_LABEL, SS_LEFT, {202, 160, 222, 170}),
        Hidden("Edit", "", IDC_SC_RTS_EDIT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
               {226, 158, 262, 170}),
        Hidden("Button", "", IDC_SC_FRAG_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP, {14, 174, 90, 184}),
        Hidden("Static", "256", IDC_SC_FRAG_MIN_LABEL, SS_LEFT, {96, 174, 110, 184}),
        Hidden(TRACKBAR_CLASS, "", IDC_SC_FRAG_SLIDER, TBS_HORZ | WS_TABSTOP, {112, 172, 200, 186}),
        Hidden("Static", "2346", IDC_SC_FRAG_MAX_LABEL, SS_LEFT, {202, 174, 222, 184}),
        Hidden("Edit", "", IDC_SC_FRAG_EDIT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
               {226, 172, 262, 184}),
        Hidden("Static", "", IDC_SC_CHANNEL_LABEL, SS_LEFT, {14, 188, 90, 198}),
        Hidden("ComboBox", "", IDC_SC_CHANNEL_COMBO, list, {96, 186, 160, 260}),
    };
    return t;
}

// The controls of the Authentication and Security page, which its dialog form shares.
std::vector<platform::DialogControl> authSecuControls()
{
    const DWORD list = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    const DWORD key = ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP;
    return {
        Control("Static", "", IDC_AS_AUTH_LABEL, SS_LEFT, {10, 10, 96, 20}),
        Control("ComboBox", "", IDC_AS_AUTH_COMBO, list, {98, 8, 190, 80}),
        Control("Static", "", IDC_AS_ENCRYPT_LABEL, SS_LEFT, {10, 28, 96, 38}),
        Control("ComboBox", "", IDC_AS_ENCRYPT_COMBO, list, {98, 26, 190, 80}),
        Control("Button", "", IDC_AS_USE_8021X_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP,
                {196, 10, 272, 20}),
        Hidden("Button", "", IDC_AS_8021X_SETTING, BS_PUSHBUTTON | WS_TABSTOP, {196, 24, 272, 38}),
        Hidden("Button", "", IDC_AS_ENABLE_8021X, BS_PUSHBUTTON | WS_TABSTOP, {196, 40, 272, 54}),
        Control("Static", "", IDC_AS_PSK_LABEL, SS_LEFT, {10, 46, 96, 56}),
        Control("Edit", "", IDC_AS_PSK_EDIT, key, {98, 44, 272, 56}),
        Control("Button", "", IDC_AS_WEP_GROUP, BS_GROUPBOX, {6, 62, 274, 150}),
        Control("Button", "", IDC_AS_KEY1_RADIO, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                {12, 74, 52, 84}),
        Control("Button", "", IDC_AS_KEY2_RADIO, BS_AUTORADIOBUTTON, {12, 92, 52, 102}),
        Control("Button", "", IDC_AS_KEY3_RADIO, BS_AUTORADIOBUTTON, {12, 110, 52, 120}),
        Control("Button", "", IDC_AS_KEY4_RADIO, BS_AUTORADIOBUTTON, {12, 128, 52, 138}),
        Control("ComboBox", "", IDC_AS_KEY1_TYPE, list | WS_GROUP, {56, 72, 100, 120}),
        Control("ComboBox", "", IDC_AS_KEY2_TYPE, list, {56, 90, 100, 138}),
        Control("ComboBox", "", IDC_AS_KEY3_TYPE, list, {56, 108, 100, 156}),
        Control("ComboBox", "", IDC_AS_KEY4_TYPE, list, {56, 126, 100, 174}),
        Control("Edit", "", IDC_AS_KEY1_HEX, key, {104, 72, 268, 84}),
        Control("Edit", "", IDC_AS_KEY1_ASCII, key, {104, 72, 268, 84}),
        Control("Edit", "", IDC_AS_KEY2_HEX, key, {104, 90, 268, 102}),
        Control("Edit", "", IDC_AS_KEY2_ASCII, key, {104, 90, 268, 102}),
        Control("Edit", "", IDC_AS_KEY3_HEX, key, {104, 108, 268, 120}),
        Control("Edit", "", IDC_AS_KEY3_ASCII, key, {104, 108, 268, 120}),
        Control("Edit", "", IDC_AS_KEY4_HEX, key, {104, 126, 268, 138}),
        Control("Edit", "", IDC_AS_KEY4_ASCII, key, {104, 126, 268, 138}),
        Control("Static", "", IDC_AS_WEP_HINT, SS_LEFT, {10, 154, 272, 176}),
        Control("Button", "", IDC_AS_SHOW_PASSWORD, BS_AUTOCHECKBOX | WS_TABSTOP,
                {10, 180, 120, 190}),
        Hidden("Static", "Identity :", IDC_AS_LEAP_USER_LABEL, SS_LEFT, {10, 46, 96, 56}),
        Hidden("Edit", "", IDC_AS_LEAP_USER_EDIT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
               {98, 44, 272, 56}),
        Hidden("Static", "Password :", IDC_AS_LEAP_PASSWORD_LABEL, SS_LEFT, {10, 64, 96, 74}),
        Hidden("Edit", "", IDC_AS_LEAP_PASSWORD_EDIT, key, {98, 62, 272, 74}),
        Hidden("Button", "WEP", IDC_AS_LEAP_WEP_RADIO, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
               {10, 80, 60, 90}),
        Hidden("Button", "WPA-TKIP", IDC_AS_LEAP_TKIP_RADIO, BS_AUTORADIOBUTTON, {64, 80, 124, 90}),
        Hidden("Button", "WPA2-AES", IDC_AS_LEAP_AES_RADIO, BS_AUTORADIOBUTTON, {128, 80, 188, 90}),
    };
}

DialogTemplate authSecuPage()
{
    DialogTemplate t;
    t.style = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;
    t.caption = "Authentication and Security";
    t.rect = {0, 0, 280, 200};
    t.controls = authSecuControls();
    return t;
}

// The same controls in a dialog of their own, with its OK and Cancel below.
DialogTemplate authSecuDialog()
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    t.caption = "Authentication and Security";
    t.rect = {0, 0, 280, 220};
    t.controls = authSecuControls();
    t.controls.push_back(Control("Button", "&OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                                 {150, 200, 205, 214}));
    t.controls.push_back(
        Control("Button", "&CANCEL", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, {215, 200, 270, 214}));
    return t;
}

const char kWepHint[] =
    "* WEP 64 Bits Encryption:  Please Keyin 10 HEX characters or 5 ASCII characters\n"
    "* WEP 128 Bits Encryption:  Please Keyin 26 HEX characters or 13 ASCII characters";

} // namespace

void RegisterProfilePagesTemplates()
{
    platform::RegisterDialogTemplate(IDD_SYSCONFIG_PAGE, sysConfigPage());
    platform::RegisterDialogTemplate(IDD_AUTHSECU_PAGE, authSecuPage());
    platform::RegisterDialogTemplate(IDD_AUTHSECU_DIALOG, authSecuDialog());
}

void AddProfilePagesStrings(std::map<UINT, std::string>& strings)
{
    strings[IDS_SC_TXPOWER_AUTO] = "Auto";
    strings[IDS_SC_TXPOWER_100] = "100 %";
    strings[IDS_SC_TXPOWER_75] = "75 %";
    strings[IDS_SC_TXPOWER_50] = "50 %";
    strings[IDS_SC_TXPOWER_25] = "25 %";
    strings[IDS_SC_TXPOWER_10] = "10 %";
    strings[IDS_SC_TXPOWER_LOWEST] = "Lowest";
    strings[IDS_SC_PSM_GROUP] = "PSM";
    strings[IDS_SC_CAM] = "CAM (Constantly Awake Mode)";
    strings[IDS_SC_CAM_ON_AC] = "CAM only in AC power";
    strings[IDS_SC_PSM] = "PSM (Power Saving Mode)";
    strings[IDS_SC_RTS_THRESHOLD] = "RTS Threshold";
    strings[IDS_SC_FRAG_THRESHOLD] = "Fragment Threshold";
    strings[IDS_SC_ADHOC] = "Ad hoc";
    strings[IDS_SC_INFRASTRUCTURE] = "Infrastructure";
    strings[IDS_SC_PREAMBLE_AUTO] = "Auto";
    strings[IDS_SC_PREAMBLE_LONG] = "Long Preamble";
    strings[IDS_SC_LABEL_TX_POWER] = "TX Power";
    strings[IDS_SC_LABEL_PREAMBLE] = "Preamble";
    strings[IDS_SC_LABEL_NETWORK_TYPE] = "Network Type";
    strings[IDS_SC_LABEL_CHANNEL] = "Channel";
    strings[IDS_SC_LABEL_PROFILE_NAME] = "Profile Name";
    strings[IDS_SC_LABEL_SSID] = "SSID";

    strings[IDS_AS_OPEN] = "Open";
    strings[IDS_AS_SHARED] = "Shared";
    strings[IDS_AS_LEAP] = "LEAP";
    strings[IDS_AS_LABEL_AUTH] = "Authentication Type :";
    strings[IDS_AS_LABEL_ENCRYPT] = "Encryption :";
    strings[IDS_AS_LABEL_PSK] = "WPA Preshared Key :";
    // The hint is the same whichever key is the default.
    for (UINT nID : {IDS_AS_WEP_HINT1, IDS_AS_WEP_HINT2, IDS_AS_WEP_HINT3, IDS_AS_WEP_HINT4})
        strings[nID] = kWepHint;
    strings[IDS_AS_KEY1] = "Key#1";
    strings[IDS_AS_KEY2] = "Key#2";
    strings[IDS_AS_KEY3] = "Key#3";
    strings[IDS_AS_KEY4] = "Key#4";
    strings[IDS_AS_SHOW_PASSWORD] = "Show Password";
    strings[IDS_AS_8021X_SETTING] = "802.1x Setting";
    strings[IDS_AS_WEP_GROUP] = "Wep Key";
    strings[IDS_AS_USE_8021X] = "Use 802.1x";
    strings[IDS_AS_DISABLE_8021X] = "Disable 802.1x";
    strings[IDS_AS_HEX] = "Hex";
    strings[IDS_AS_ASCII] = "ASCII";
    strings[IDS_ASD_CAPTION] = "Authentication and Security";
    strings[IDS_DIALOG_OK] = "OK";
    strings[IDS_DIALOG_CANCEL] = "Cancel";
}
