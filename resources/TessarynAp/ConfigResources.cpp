#include "resources/TessarynAp/ConfigResources.h"

#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;
using resources::EmptyPageTemplate;
using resources::Hidden;

const DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
const DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
const DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

platform::DialogControl Disabled(platform::DialogControl c)
{
    c.style |= WS_DISABLED;
    return c;
}

platform::DialogControl WithItems(platform::DialogControl c, std::vector<std::string> items)
{
    c.items = std::move(items);
    return c;
}

// A label and its pair of radio buttons, the first starting the group; the template starts
// the whole 802.11n group hidden.
void addRadioPair(DialogTemplate& t, int nLabel, const char* label, int nFirst, const char* first,
                  int nSecond, const char* second, int y)
{
    t.controls.push_back(Hidden("Static", label, nLabel, SS_LEFT, {182, y, 224, y + 10}));
    t.controls.push_back(Hidden("Button", first, nFirst, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                                {226, y, 266, y + 10}));
    t.controls.push_back(
        Hidden("Button", second, nSecond, BS_AUTORADIOBUTTON, {268, y, 326, y + 10}));
}

DialogTemplate configPage()
{
    DialogTemplate t = EmptyPageTemplate("Config");
    t.rect = {0, 0, 336, 226};
    t.controls = {
        Control("Static", "SSID", IDC_CONFIG_SSID_LABEL, SS_LEFT, {8, 8, 60, 18}),
        Control("Edit", "", IDC_CONFIG_SSID_EDIT, kEdit, {62, 6, 170, 18}),
        Control("Button", "&USE MAC ADDRESS", IDC_CONFIG_USE_MAC, kButton, {62, 20, 170, 32}),
        Control("Static", "Wireless Mode", IDC_CONFIG_MODE_LABEL, SS_LEFT, {8, 38, 60, 48}),
        Control("ComboBox", "", IDC_CONFIG_MODE_COMBO, kList, {62, 36, 170, 120}),
        Control("Static", "Channel", IDC_CONFIG_CHANNEL_LABEL, SS_LEFT, {8, 54, 60, 64}),
        Control("ComboBox", "", IDC_CONFIG_CHANNEL_COMBO, kList, {62, 52, 110, 160}),
        Hidden("Button", "Auto Channel Selection at next boot", IDC_CONFIG_AUTO_CHANNEL_CHECK,
               kCheck, {114, 52, 170, 64}),
        Control("Static", "Tx Rate", IDC_CONFIG_RATE_LABEL, SS_LEFT, {8, 70, 60, 80}),
        Control("ComboBox", "", IDC_CONFIG_RATE_COMBO, kList, {62, 68, 170, 170}),
        Control("Static", "TX Power", IDC_CONFIG_TX_POWER_LABEL, SS_LEFT, {8, 86, 60, 96}),
        WithItems(Control("ComboBox", "", IDC_CONFIG_TX_POWER_COMBO, kList, {62, 84, 170, 150}),
                  {"100 %", "75 %", "50 %", "25 %"}),
        Control("Static", "11b/g Protection", IDC_CONFIG_BG_PROTECTION_LABEL, SS_LEFT,
                {8, 102, 60, 112}),
        Control("ComboBox", "", IDC_CONFIG_BG_PROTECTION_COMBO, kList, {62, 100, 170, 150}),
        Control("Static", "Beacon (ms)", IDC_CONFIG_BEACON_LABEL, SS_LEFT, {8, 118, 60, 128}),
        Control("Edit", "", IDC_CONFIG_BEACON_EDIT, kEdit | ES_NUMBER, {62, 116, 110, 128}),
        Control("Static", "", IDC_CONFIG_IDLE_LABEL, SS_LEFT, {8, 134, 100, 144}),
        Control("Edit", "", IDC_CONFIG_IDLE_EDIT, kEdit | ES_NUMBER, {104, 132, 150, 144}),
        Hidden("Static", "Preamble", IDC_CONFIG_PREAMBLE_LABEL, SS_LEFT, {8, 150, 60, 160}),
        Hidden("ComboBox", "", IDC_CONFIG_PREAMBLE_COMBO, kList, {62, 148, 170, 190}),
        Hidden("Static", "RTS Threshold", IDC_CONFIG_RTS_LABEL, SS_LEFT, {8, 150, 60, 160}),
        Disabled(Hidden("Edit", "", IDC_CONFIG_RTS_EDIT, kEdit, {62, 148, 110, 160})),
        Hidden("Static", "Fragment Threshold", IDC_CONFIG_FRAG_LABEL, SS_LEFT, {8, 150, 60, 160}),
        Disabled(Hidden("Edit", "", IDC_CONFIG_FRAG_EDIT, kEdit, {114, 148, 170, 160})),
        Control("Button", "&No forwarding among wireless clients", IDC_CONFIG_NO_FORWARDING_CHECK,
                kCheck, {8, 150, 170, 160}),
        Control("Button", "&Hide SSID", IDC_CONFIG_HIDE_SSID_CHECK, kCheck, {8, 162, 170, 172}),
        Hidden("Button", "&Enable TX Burst", IDC_CONFIG_TX_BURST_CHECK, kCheck, {8, 162, 170, 172}),
        Disabled(Hidden("Button", "Turbo Rate", IDC_CONFIG_TURBO_RATE_CHECK, kCheck,
                        {8, 162, 170, 172})),
        Hidden("Button", "Use Short Slot Time &when applicable", IDC_CONFIG_SHORT_SLOT_CHECK,
               kCheck, {8, 162, 170, 172}),
        Control("Button", "", IDC_CONFIG_REGION_GROUP, BS_GROUPBOX, {4, 176, 332, 204}),
        Control("Static", "11B/G", IDC_CONFIG_BG_REGION_LABEL, SS_LEFT, {10, 188, 36, 198}),
        WithItems(Control("ComboBox", "", IDC_CONFIG_BG_REGION_COMBO, kList, {38, 186, 160, 280}),
                  {"0: CH1-11", "1: CH1-13", "2: CH10-11", "3: CH10-13", "4: CH14", "5: CH1-14",
                   "6: CH3-9", "7: CH5-13"}),
        Control("Static", "11A", IDC_CONFIG_A_REGION_LABEL, SS_LEFT, {166, 188, 184, 198}),
        WithItems(Control("ComboBox", "", IDC_CONFIG_A_REGION_COMBO, kList, {186, 186, 328, 280}),
                  {"0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165",
                   "1: CH 36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 120, 124, 128, "
                   "132, 136, 140",
                   "2: CH 36, 40, 44, 48, 52, 56, 60, 64",
                   "3: CH 52, 56, 60, 64, 149, 153, 157, 161", "4: CH 149, 153, 157, 161, 165",
                   "5: CH 149, 153, 157, 161", "6: CH 36, 40, 44, 48",
                   "7: CH 36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 120, 124, 128, "
                   "132, 136, 140, 149, 153, 157, 161, 165",
                   "8: CH 52, 56, 60, 64", "9: CH 34, 38, 42, 46",
                   "10: CH 34, 36, 38, 40, 42, 44, 46, 48, 52, 56, 60, 64"}),
        Control("Button", "&SECURITY...", IDC_CONFIG_SECURITY, kButton, {176, 6, 252, 20}),
        Control("Button", "&DEFAULT", IDC_CONFIG_DEFAULT, kButton, {256, 6, 332, 20}),
        Control("Button", "&APPLY", IDC_CONFIG_APPLY, kButton, {256, 208, 332, 222}),
        Hidden("Button", "802.11n", IDC_CONFIG_HT_GROUP, BS_GROUPBOX, {176, 24, 332, 152}),
    };
    addRadioPair(t, IDC_CONFIG_BW_LABEL, "BW", IDC_CONFIG_BW_20, "20", IDC_CONFIG_BW_40, "20 / 40",
                 36);
    addRadioPair(t, IDC_CONFIG_GI_LABEL, "GI", IDC_CONFIG_GI_LONG, "long", IDC_CONFIG_GI_AUTO,
                 "Auto", 50);
    addRadioPair(t, IDC_CONFIG_STBC_LABEL, "STBC", IDC_CONFIG_STBC_NONE, "None",
                 IDC_CONFIG_STBC_AUTO, "Auto", 64);
    addRadioPair(t, IDC_CONFIG_HT_MODE_LABEL, "OP Mode", IDC_CONFIG_HT_MM, "MM", IDC_CONFIG_HT_GF,
                 "GF", 78);
    t.controls.push_back(
        Hidden("Static", "MCS", IDC_CONFIG_MCS_LABEL, SS_LEFT, {182, 94, 224, 104}));
    t.controls.push_back(Hidden("ComboBox", "", IDC_CONFIG_MCS_COMBO, kList, {226, 92, 290, 200}));
    t.controls.push_back(Hidden("Static", "Ext Channel", IDC_CONFIG_EXT_CHANNEL_LABEL, SS_LEFT,
                                {182, 110, 224, 120}));
    t.controls.push_back(
        Hidden("ComboBox", "", IDC_CONFIG_EXT_CHANNEL_COMBO, kList, {226, 108, 290, 200}));
    t.controls.push_back(
        Hidden("Static", "", IDC_CONFIG_TX_RATE_TEXT, SS_LEFT, {182, 126, 328, 148}));
    t.controls.push_back(
        Control("Button", "", IDC_CONFIG_ALLOW_BW40_CHECK, kCheck, {176, 156, 300, 166}));
    return t;
}

} // namespace

void RegisterConfigTemplate()
{
    platform::RegisterDialogTemplate(IDD_CONFIG_PAGE, configPage());
}

void AddConfigStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_CONFIG_NO_SSID, "Please Key in SSID"},
        {IDS_CONFIG_REGION_GROUP, "Country Region Code"},
        {IDS_CONFIG_IDLE_LABEL, "Idle time(60 - 3600)(s)"},
        {IDS_CONFIG_ALLOW_BW40, "Allow BW 40 MHz"},
    });
}
