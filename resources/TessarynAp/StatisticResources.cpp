#include "resources/TessarynAp/StatisticResources.h"

#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;

// One row of a group: its label on the left, its counter right-aligned beside it.
void addRow(DialogTemplate& t, int nLabelId, int nCounterId, int y)
{
    t.controls.push_back(Control("Static", "", nLabelId, SS_LEFT, {14, y, 196, y + 10}));
    t.controls.push_back(Control("Static", "", nCounterId, SS_RIGHT, {200, y, 266, y + 10}));
}

// The labels, group boxes and button take their texts from the string table at start.
DialogTemplate statisticPage()
{
    DialogTemplate t = resources::EmptyPageTemplate("Statistics");
    t.controls.push_back(Control("Button", "", IDC_STAT_TX_GROUP, BS_GROUPBOX, {7, 6, 273, 94}));
    addRow(t, IDC_STAT_TX_SUCCESS_LABEL, IDC_STAT_TX_SUCCESS, 20);
    addRow(t, IDC_STAT_TX_NO_RETRY_LABEL, IDC_STAT_TX_NO_RETRY, 32);
    addRow(t, IDC_STAT_TX_RETRY_LABEL, IDC_STAT_TX_RETRY, 44);
    addRow(t, IDC_STAT_TX_ACK_FAIL_LABEL, IDC_STAT_TX_ACK_FAIL, 56);
    addRow(t, IDC_STAT_RTS_SUCCESS_LABEL, IDC_STAT_RTS_SUCCESS, 68);
    addRow(t, IDC_STAT_RTS_FAIL_LABEL, IDC_STAT_RTS_FAIL, 80);
    t.controls.push_back(Control("Button", "", IDC_STAT_RX_GROUP, BS_GROUPBOX, {7, 100, 273, 164}));
    addRow(t, IDC_STAT_RX_SUCCESS_LABEL, IDC_STAT_RX_SUCCESS, 114);
    addRow(t, IDC_STAT_RX_CRC_ERROR_LABEL, IDC_STAT_RX_CRC_ERROR, 126);
    addRow(t, IDC_STAT_RX_NO_RESOURCE_LABEL, IDC_STAT_RX_NO_RESOURCE, 138);
    addRow(t, IDC_STAT_RX_DUPLICATE_LABEL, IDC_STAT_RX_DUPLICATE, 150);
    t.controls.push_back(
        Control("Button", "", IDC_STAT_RESET, BS_PUSHBUTTON | WS_TABSTOP, {180, 174, 273, 190}));
    return t;
}

} // namespace

void RegisterStatisticTemplates()
{
    platform::RegisterDialogTemplate(IDD_STATISTIC_PAGE, statisticPage());
}

void AddStatisticStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_STAT_TX_GROUP, "Transmit Statistics"},
        {IDS_STAT_TX_SUCCESS, "Frames Transmitted Successfully "},
        {IDS_STAT_TX_NO_RETRY, "Frames Transmitted Successfully  Without Retry"},
        {IDS_STAT_TX_RETRY, "Frames Transmitted Successfully After Retry"},
        {IDS_STAT_TX_ACK_FAIL, "Frames Fail To Receive ACK After All Retries"},
        {IDS_STAT_RTS_SUCCESS, "RTS Frames Successfully Receive CTS"},
        {IDS_STAT_RTS_FAIL, "RTS Frames Fail To Receive CTS"},
        {IDS_STAT_RX_GROUP, "Receive Statistics"},
        {IDS_STAT_RX_SUCCESS, "Frames Received Successfully "},
        {IDS_STAT_RX_CRC_ERROR, "Frames Received With CRC Error"},
        {IDS_STAT_RX_NO_RESOURCE, "Frames Dropped Due To Out-of-Resource"},
        {IDS_STAT_RX_DUPLICATE, "Duplicate Frames Received"},
        {IDS_STAT_RESET, "RESET COUNTERS"},
    });
}
