#include "resources/TessarynUI/AdvanceResources.h"

#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/resource.h"
#include "resources/common/DialogScript.h"

const char* const g_aszRegionBgNames[8] = {
    "0: FCC, CH1-11",     "1: IC (Canada), CH1-11", "2: ETSI, CH1-13",        "3: SPAIN, CH10-11",
    "4: FRANCE, CH10-13", "5: MKK, CH14",           "6: MKK1(TELEC), CH1-14", "7: ISRAEL, CH3-9",
};

const char* const g_aszRegionBgChannels[8] = {
    "0: CH1-11", "1: CH1-13", "2: CH10-11", "3: CH10-13",
    "4: CH14",   "5: CH1-14", "6: CH3-9",   "7: CH5-13",
};

const char* const g_aszRegionAChannels[REGION_A_COUNT] = {
    "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165",
    "1: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,124,128,132,136,140",
    "2: CH 36,40,44,48,52,56,60,64",
    "3: CH 52,56,60,64,149,153,157,161",
    "4: CH 149,153,157,161,165",
    "5: CH 149,153,157,161",
    "6: CH 36,40,44,48",
    "7: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,124,128,132,136,140,149,153,157,161,165",
    "8: CH 52, 56, 60, 64",
    "9: CH 34, 38, 42, 46",
    "10: CH 34, 36, 38, 40, 42, 44, 46, 48, 52, 56, 60, 64",
};

namespace
{

using platform::DialogControl;
using platform::DialogTemplate;
using resources::Control;
using resources::Hidden;

const DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
const DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
const DWORD kRadio = BS_AUTORADIOBUTTON;

DialogControl withItems(DialogControl c, const char* const* items, int nCount)
{
    c.items.assign(items, items + nCount);
    return c;
}

// A row of the HT group: its label and its two radios, the first starting their group.
void addHtRow(DialogTemplate& t, int nLabel, const char* label, int nFirst, const char* first,
              int nSecond, const char* second, int y)
{
    t.controls.push_back(Control("Static", label, nLabel, SS_LEFT, {202, y, 240, y + 10}));
    t.controls.push_back(Control("Button", first, nFirst, kFirstRadio, {244, y, 290, y + 10}));
    t.controls.push_back(Control("Button", second, nSecond, kRadio, {294, y, 340, y + 10}));
}

DialogTemplate advancePage()
{
    DialogTemplate t = EmptyPageTemplate("Advanced");
    t.rect = {0, 0, 400, 222};
    t.controls = {
        Control("Static", "", IDC_ADV_MODE_LABEL, SS_LEFT, {8, 8, 70, 18}),
        Control("ComboBox", "", IDC_ADV_MODE, kList, {72, 6, 186, 80}),
        Control("Static", "", IDC_ADV_PROTECTION_LABEL, SS_LEFT, {8, 24, 70, 34}),
        Control("ComboBox", "", IDC_ADV_PROTECTION, kList, {72, 22, 186, 70}),
        Control("Static", "TX Rate", IDC_STATIC, SS_LEFT, {8, 40, 70, 50}),
        Control("ComboBox", "", IDC_ADV_TX_RATE, kList, {72, 38, 186, 140}),
        Control("Button", "Select Your Country Region Code", IDC_ADV_REGION_GROUP, BS_GROUPBOX,
                {6, 56, 190, 100}),
        Control("Static", "11 B/G", IDC_ADV_REGION_BG_LABEL, SS_LEFT, {12, 68, 40, 78}),
        withItems(Control("ComboBox", "", IDC_ADV_REGION_BG, kList, {44, 66, 186, 150}),
                  g_aszRegionBgChannels, 8),
        Control("Static", "11 A", IDC_ADV_REGION_A_LABEL, SS_LEFT, {12, 84, 40, 94}),
        withItems(Control("ComboBox", "", IDC_ADV_REGION_A, kList, {44, 82, 186, 170}),
                  g_aszRegionAChannels, REGION_A_COUNT),
        Control("Button", "Enable TX Burst", IDC_ADV_TX_BURST, kCheck, {8, 104, 96, 114}),
        Control("Button", "Enable TCP Window Size", IDC_ADV_TCP_WINDOW, kCheck,
                {98, 104, 190, 114}),
        Control("Button", "Fast Roaming at", IDC_ADV_FAST_ROAMING, kCheck, {8, 120, 76, 130}),
        Control("Edit", "", IDC_ADV_ROAM_THRESHOLD, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
                {78, 118, 104, 130}),
        Control("Static", "dBm", IDC_ADV_ROAM_DBM, SS_LEFT, {106, 120, 124, 130}),
        Control("Button", "&RADIO OFF", IDC_ADV_RADIO, BS_PUSHBUTTON | WS_TABSTOP,
                {8, 136, 70, 152}),
        Control("Static", "", IDC_ADV_RADIO_BITMAP, SS_BITMAP, {74, 136, 96, 152}),
        Control("Button", "&APPLY", IDC_ADV_APPLY, BS_PUSHBUTTON | WS_TABSTOP,
                {130, 136, 186, 152}),
        Control("Button", "Show Authentication Status Dialog", IDC_ADV_AUTH_STATUS, kCheck,
                {8, 158, 190, 168}),
        Control("Button", "", IDC_ADV_CCX, kCheck, {196, 6, 392, 16}),
        Control("Button", "", IDC_ADV_CCKM, kCheck, {206, 20, 392, 30}),
        Control("Button", "", IDC_ADV_RADIO_MEASUREMENTS, kCheck, {206, 34, 392, 44}),
        Control("Button", "", IDC_ADV_NON_SERVING, kCheck, {216, 48, 392, 58}),
        Control("Static", "Limit", IDC_ADV_LIMIT_LABEL, SS_LEFT, {216, 62, 240, 72}),
        Control("Edit", "", IDC_ADV_LIMIT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
                {242, 60, 272, 72}),
        Control("Static", "milliseconds (0-2000)", IDC_ADV_LIMIT_UNIT, SS_LEFT, {276, 62, 392, 72}),
        Hidden("Button", "Enable QOS", IDC_ADV_QOS, kCheck, {206, 76, 392, 86}),
        Control("Button", "HT Physical Mode", IDC_ADV_HT_GROUP, BS_GROUPBOX, {196, 92, 394, 216}),
    };
    addHtRow(t, IDC_ADV_HT_MODE_LABEL, "HT Mode", IDC_ADV_HT_MM, "MM", IDC_ADV_HT_GF, "GF", 104);
    addHtRow(t, IDC_ADV_HT_BW_LABEL, "BW", IDC_ADV_HT_BW_20, "20", IDC_ADV_HT_BW_AUTO, "Auto", 118);
    addHtRow(t, IDC_ADV_HT_GI_LABEL, "GI", IDC_ADV_HT_GI_LONG, "long", IDC_ADV_HT_GI_AUTO, "Auto",
             132);
    addHtRow(t, IDC_ADV_HT_STBC_LABEL, "STBC", IDC_ADV_HT_STBC_NONE, "None", IDC_ADV_HT_STBC_AUTO,
             "Auto", 146);
    t.controls.push_back(
        Control("Static", "MCS", IDC_ADV_HT_MCS_LABEL, SS_LEFT, {202, 162, 240, 172}));
    t.controls.push_back(Control("ComboBox", "", IDC_ADV_HT_MCS, kList, {244, 160, 300, 240}));
    t.controls.push_back(Control("Static", "", IDC_ADV_HT_RATE, SS_LEFT, {202, 176, 390, 196}));
    // The extension channel is never offered.
    t.controls.push_back(
        Hidden("Static", "Ext Channel", IDC_ADV_HT_EXT_LABEL, SS_LEFT, {202, 200, 240, 210}));
    t.controls.push_back(
        Hidden("Button", "None", IDC_ADV_HT_EXT_NONE, kFirstRadio, {244, 200, 280, 210}));
    t.controls.push_back(
        Hidden("Button", "Above", IDC_ADV_HT_EXT_ABOVE, kRadio, {284, 200, 320, 210}));
    t.controls.push_back(
        Hidden("Button", "Below", IDC_ADV_HT_EXT_BELOW, kRadio, {324, 200, 360, 210}));
    return t;
}

} // namespace

void RegisterAdvanceTemplates()
{
    platform::RegisterDialogTemplate(IDD_ADVANCE_PAGE, advancePage());
}

void AddAdvanceStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_ADV_RADIO_ON, "Turn on RF"},
        {IDS_ADV_RADIO_OFF, "Turn off RF "},
        {IDS_ADV_REGION_WARNING, "Changing Country Region will cause current connection lost"},
        {IDS_ADV_BG_PROTECTION, "B/G Protection"},
        {IDS_ADV_TX_BURST, "Tx BURST"},
        {IDS_ADV_CHANNEL_BY_MODE, "Automatically set channel according to wireless mode."},
        {IDS_ADV_WIRELESS_MODE, "Wireless mode"},
        {IDS_ADV_CCX, "Enable CCX (Cisco Compatible eXtensions)"},
        {IDS_ADV_CCKM, "Turn on CCKM"},
        {IDS_ADV_RADIO_MEASUREMENTS, "Enable Radio Measurements"},
        {IDS_ADV_NON_SERVING, "Non-Serving Channel Measurements"},
        {IDS_ADV_QOS, "Enable QOS"},
        {IDS_ADV_REGION_GROUP, "Select Your Country Region Code"},
        {IDS_ADV_HT_COMBINATION, "GF, Short GI, and STBC used don't setup together"},
        {IDS_ADV_REGION_BG, "11 B/G"},
        {IDS_ADV_REGION_A, "11 A"},
    });
}
