#include "resources/TessarynAp/LinkStatusResources.h"

#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;

// One row: its label on the left (a static text unless the page changes it), its value beside it.
void addRow(DialogTemplate& t, int nLabelId, const char* label, int nValueId, int y)
{
    t.controls.push_back(Control("Static", label, nLabelId, SS_LEFT, {7, y, 80, y + 10}));
    t.controls.push_back(Control("Static", "", nValueId, SS_LEFT, {84, y, 273, y + 10}));
}

DialogTemplate linkStatusPage()
{
    DialogTemplate t = resources::EmptyPageTemplate("Link Status");
    addRow(t, IDC_STATIC, "Status :", IDC_LS_STATUS, 8);
    addRow(t, IDC_STATIC, "Extra Info :", IDC_LS_EXTRA_INFO, 22);
    addRow(t, IDC_STATIC, "Channel :", IDC_LS_CHANNEL, 36);
    addRow(t, IDC_STATIC, "Tx (Mbps)", IDC_LS_TX_RATE, 50);
    addRow(t, IDC_STATIC, "Rx (Mbps)", IDC_LS_RX_RATE, 64);
    addRow(t, IDC_STATIC, "Signal Strength :", IDC_LS_SIGNAL1, 78);
    addRow(t, IDC_LS_SIGNAL2_LABEL, "Signal Strength2 :", IDC_LS_SIGNAL2, 92);
    addRow(t, IDC_LS_SIGNAL3_LABEL, "Signal Strength 3:", IDC_LS_SIGNAL3, 106);
    auto& c = t.controls;
    c.push_back(Control("Button", "HT", IDC_LS_HT_GROUP, BS_GROUPBOX, {7, 122, 273, 160}));
    c.push_back(Control("Static", "", IDC_LS_BW, SS_LEFT, {14, 134, 70, 144}));
    c.push_back(Control("Static", "", IDC_LS_GI, SS_LEFT, {74, 134, 130, 144}));
    c.push_back(Control("Static", "", IDC_LS_STBC, SS_LEFT, {134, 134, 200, 144}));
    c.push_back(Control("Static", "", IDC_LS_MCS, SS_LEFT, {204, 134, 266, 144}));
    c.push_back(Control("Static", "", IDC_LS_SNR0, SS_LEFT, {14, 146, 70, 156}));
    c.push_back(Control("Static", "", IDC_LS_SNR1, SS_LEFT, {74, 146, 130, 156}));
    return t;
}

} // namespace

void RegisterLinkStatusTemplates()
{
    platform::RegisterDialogTemplate(IDD_LINKSTATUS_PAGE, linkStatusPage());
}

void AddLinkStatusStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_LS_DISCONNECTED, "Disconnected"},
        {IDS_LS_RF_OFF, "RF OFF"},
        {IDS_LS_LINK_UP, "Link is Up"},
        {IDS_LS_LINK_DOWN, "Link is Down"},
        {IDS_LS_HW_RADIO_OFF, "Hardware radio off"},
        {IDS_LS_CENTRAL_CHANNEL, "central channel"},
    });
}
