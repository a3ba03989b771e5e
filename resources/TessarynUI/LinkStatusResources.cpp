#include "resources/TessarynUI/LinkStatusResources.h"

#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;

// Labels get their texts from the string table when the page starts.
platform::DialogControl label(int id, RECT rect)
{
    return Control("Static", "", id, SS_LEFT, rect);
}

platform::DialogControl value(int id, RECT rect)
{
    return Control("Static", "", id, SS_LEFT, rect);
}

platform::DialogControl bar(int id, RECT rect)
{
    return Control(PROGRESS_CLASSA, "", id, WS_BORDER | PBS_SMOOTH, rect);
}

// One row of a percent or dBm value, its word and its bar.
void addMeterRow(DialogTemplate& t, int labelId, int valueId, int wordId, int barId, int y)
{
    t.controls.push_back(label(labelId, {8, y, 78, y + 10}));
    t.controls.push_back(value(valueId, {80, y, 122, y + 10}));
    t.controls.push_back(value(wordId, {124, y, 160, y + 10}));
    t.controls.push_back(bar(barId, {162, y, 272, y + 9}));
}

DialogTemplate linkStatusPage()
{
    DialogTemplate t = EmptyPageTemplate("Link Status");
    t.controls = {
        label(IDC_LS_STATUS_LABEL, {8, 8, 78, 18}),
        value(IDC_LS_STATUS, {80, 8, 272, 18}),
        label(IDC_LS_EXTRA_INFO_LABEL, {8, 20, 78, 30}),
        value(IDC_LS_EXTRA_INFO, {80, 20, 272, 30}),
        label(IDC_LS_CHANNEL_LABEL, {8, 32, 78, 42}),
        value(IDC_LS_CHANNEL, {80, 32, 272, 42}),
        label(IDC_LS_RATE_LABEL, {8, 44, 78, 54}),
        label(IDC_LS_TX_RATE_LABEL, {80, 44, 122, 54}),
        value(IDC_LS_TX_RATE, {124, 44, 170, 54}),
        label(IDC_LS_RX_RATE_LABEL, {176, 44, 218, 54}),
        value(IDC_LS_RX_RATE, {220, 44, 272, 54}),
        label(IDC_LS_THROUGHPUT_LABEL, {8, 56, 78, 66}),
        label(IDC_LS_TX_THROUGHPUT_LABEL, {80, 56, 122, 66}),
        value(IDC_LS_TX_THROUGHPUT, {124, 56, 170, 66}),
        label(IDC_LS_RX_THROUGHPUT_LABEL, {176, 56, 218, 66}),
        value(IDC_LS_RX_THROUGHPUT, {220, 56, 272, 66}),
    };
    addMeterRow(t, IDC_LS_QUALITY_LABEL, IDC_LS_QUALITY, IDC_LS_QUALITY_WORD, IDC_LS_QUALITY_BAR,
                72);
    addMeterRow(t, IDC_LS_SIGNAL1_LABEL, IDC_LS_SIGNAL1, IDC_LS_SIGNAL1_WORD, IDC_LS_SIGNAL1_BAR,
                86);
    addMeterRow(t, IDC_LS_SIGNAL2_LABEL, IDC_LS_SIGNAL2, IDC_LS_SIGNAL2_WORD, IDC_LS_SIGNAL2_BAR,
                100);
    addMeterRow(t, IDC_LS_SIGNAL3_LABEL, IDC_LS_SIGNAL3, IDC_LS_SIGNAL3_WORD, IDC_LS_SIGNAL3_BAR,
                114);
    addMeterRow(t, IDC_LS_NOISE_LABEL, IDC_LS_NOISE, IDC_LS_NOISE_WORD, IDC_LS_NOISE_BAR, 128);
    t.controls.push_back(
        Control("Button", "", IDC_LS_DBM, BS_AUTOCHECKBOX | WS_TABSTOP, {8, 142, 60, 152}));
    // Shown only on adapters with 802.11n.
    t.controls.push_back(
        Control("Button", "802.11n", IDC_LS_HT_GROUP, BS_GROUPBOX, {8, 154, 272, 194}));
    t.controls.push_back(value(IDC_LS_HT_BW, {16, 166, 76, 176}));
    t.controls.push_back(value(IDC_LS_HT_GI, {80, 166, 140, 176}));
    t.controls.push_back(value(IDC_LS_HT_STBC, {144, 166, 204, 176}));
    t.controls.push_back(value(IDC_LS_HT_MCS, {16, 178, 76, 188}));
    t.controls.push_back(value(IDC_LS_HT_SNR0, {80, 178, 140, 188}));
    t.controls.push_back(value(IDC_LS_HT_SNR1, {144, 178, 204, 188}));
    // Never shown.
    platform::DialogControl reconnect =
        Control("Button", "RECONNECT", IDC_LS_RECONNECT, WS_TABSTOP, {210, 142, 272, 152});
    reconnect.style &= ~WS_VISIBLE;
    platform::DialogControl reauthenticate = Control(
        "Button", "REAUTHENTICATE", IDC_LS_REAUTHENTICATE, WS_TABSTOP, {140, 142, 206, 152});
    reauthenticate.style &= ~WS_VISIBLE;
    t.controls.push_back(reconnect);
    t.controls.push_back(reauthenticate);
    return t;
}

} // namespace

void RegisterLinkStatusTemplates()
{
    platform::RegisterDialogTemplate(IDD_LINKSTATUS_PAGE, linkStatusPage());
}

void AddLinkStatusStrings(std::map<UINT, std::string>& strings)
{
    const std::pair<UINT, const char*> texts[] = {
        {IDS_LS_EXTRA_INFO_LABEL, "Extra Info :"},
        {IDS_LS_QUALITY_LABEL, "Link Quality :"},
        {IDS_LS_RX_KBPS, "Rx (Kbps)"},
        {IDS_LS_THROUGHPUT_LABEL, "Throughput :"},
        {IDS_LS_TX_KBPS, "Tx (Kbps)"},
        {IDS_LS_RATE_LABEL, "Link Speed :"},
        {IDS_LS_STATUS_LABEL, "Status :"},
        {IDS_LS_SIGNAL1_LABEL, "Signal Strength :"},
        {IDS_LS_TX_MBPS, "Tx (Mbps)"},
        {IDS_LS_RX_MBPS, "Rx (Mbps)"},
        {IDS_LS_CHANNEL_LABEL, "Channel :"},
        {IDS_LS_DBM, "dBm"},
        {IDS_LS_NOISE_LABEL, "Noise Level :"},
        {IDS_LS_SIGNAL2_LABEL, "Signal Strength2 :"},
        {IDS_LS_SIGNAL3_LABEL, "Signal Strength 3:"},
        {IDS_LS_GOOD, "Good"},
        {IDS_LS_NORMAL, "Normal"},
        {IDS_LS_WEAK, "Weak"},
        {IDS_LS_NOISE_STRONG, "Strong"},
        {IDS_LS_NOISE_NORMAL, "Normal"},
        {IDS_LS_NOISE_LOW, "Low"},
        {IDS_LS_LINK_UP, "Link is Up"},
        {IDS_LS_LINK_DOWN, "Link is Down"},
        {IDS_LS_HW_RADIO_OFF, "Hardware radio off"},
        {IDS_LS_SW_RADIO_OFF, "Software radio off"},
        {IDS_LS_OPEN_AUTH_FAIL, "Open authentication fail"},
        {IDS_LS_SHARED_AUTH_FAIL, "Shared authentication fail"},
        {IDS_LS_ASSOC_FAIL, "Association failed"},
        {IDS_LS_DEAUTH_MIC, "Deauthencation because MIC failure"},
        {IDS_LS_DEAUTH_4WAY, "Deauthencation on 4-way handshake timeout"},
        {IDS_LS_DEAUTH_GROUP_KEY, "Deauthencation on group key handshake timeout"},
        {IDS_LS_EAP_SUCCEED, "EAP succeed"},
        {IDS_LS_CENTRAL_CHANNEL, "central channel"},
    };
    for (const auto& [id, text] : texts)
        strings[id] = text;
}
