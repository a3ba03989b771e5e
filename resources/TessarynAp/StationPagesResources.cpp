#include "resources/TessarynAp/StationPagesResources.h"

#include "platform/ui/controls/CommCtrl.h"
#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;
using resources::EmptyPageTemplate;

const DWORD kReportList = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;

DialogTemplate macTablePage()
{
    DialogTemplate t = EmptyPageTemplate("Mac Table");
    t.controls = {Control(WC_LISTVIEW, "", IDC_MACTABLE_LIST, kReportList, {7, 7, 273, 193})};
    return t;
}

DialogTemplate eventLogPage()
{
    DialogTemplate t = EmptyPageTemplate("Event Log");
    t.controls = {
        Control(WC_LISTVIEW, "", IDC_EVENTLOG_LIST, kReportList, {7, 7, 273, 172}),
        Control("Button", "", IDC_EVENTLOG_CLEAR, BS_PUSHBUTTON | WS_TABSTOP, {213, 177, 273, 191}),
    };
    return t;
}

} // namespace

void RegisterStationPagesTemplates()
{
    platform::RegisterDialogTemplate(IDD_MACTABLE_PAGE, macTablePage());
    platform::RegisterDialogTemplate(IDD_EVENTLOG_PAGE, eventLogPage());
}

void AddStationPagesStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_MACTABLE_POWER_SAVE, "Power Saving Mode"},
        {IDS_MACTABLE_AID, "AID"},
        {IDS_MACTABLE_STATUS, "Status"},
        {IDS_YES, "Yes"},
        {IDS_NO, "No"},
        {IDS_EVENTLOG_CLEAR, "Clear"},
        {IDS_EVENTLOG_TIME, "Event Time (yy/mm/dd- hh:mm:ss)"},
        {IDS_EVENTLOG_MESSAGE, "Message"},
        {IDS_EVENT_RESTART, "Restart Access Point"},
        {IDS_EVENT_ASSOCIATED, "associated"},
        {IDS_EVENT_LEFT, "left this BSS"},
        {IDS_EVENT_AGED_OUT, "was aged-out and removed from this BSS"},
        {IDS_EVENT_COUNTERMEASURE, "generated active countermeasure"},
        {IDS_EVENT_INVALID_PSK, "associated with invalid PSK password"},
    });
}
