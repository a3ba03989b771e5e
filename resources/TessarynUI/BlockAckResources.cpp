#include "resources/TessarynUI/BlockAckResources.h"

#include "platform/ui/controls/CommCtrl.h"
#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogControl;
using platform::DialogTemplate;
using resources::Control;
using resources::Hidden;

const DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
const DWORD kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
const DWORD kRadio = BS_AUTORADIOBUTTON;
const DWORD kList = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;

// One side's sessions: its group, list and buttons (DELETE ENTRY kept hidden).
void addSide(DialogTemplate& t, int nGroup, const char* group, int nList, int nAdd, int nDelete,
             int nDeleteEntry, int y)
{
    t.controls.push_back(Control("Button", group, nGroup, BS_GROUPBOX, {6, y, 394, y + 80}));
    t.controls.push_back(Control(WC_LISTVIEW, "", nList, kList, {12, y + 10, 320, y + 76}));
    t.controls.push_back(Control("Button", "ADD", nAdd, kButton, {326, y + 10, 388, y + 24}));
    t.controls.push_back(Control("Button", "delete", nDelete, kButton, {326, y + 28, 388, y + 42}));
    t.controls.push_back(
        Hidden("Button", "DELETE ENTRY", nDeleteEntry, kButton, {326, y + 46, 388, y + 60}));
}

DialogTemplate blockAckPage()
{
    DialogTemplate t = EmptyPageTemplate("11n Configuration");
    t.rect = {0, 0, 400, 232};
    addSide(t, IDC_BA_ORIGINATOR_GROUP, "Originator of", IDC_BA_ORIGINATOR_LIST, IDC_BA_ORI_ADD,
            IDC_BA_ORI_DELETE, IDC_BA_ORI_DELETE_ENTRY, 4);
    addSide(t, IDC_BA_RECIPIENT_GROUP, "Recipient of", IDC_BA_RECIPIENT_LIST, IDC_BA_REC_ADD,
            IDC_BA_REC_DELETE, IDC_BA_REC_DELETE_ENTRY, 88);
    DialogControl density =
        Control("ComboBox", "", IDC_BA_DENSITY,
                CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, {232, 172, 262, 240});
    density.items = {"0", "1", "2", "3", "4", "5", "6", "7"};
    const DialogControl controls[] = {
        Control("Button", "MPDU Aggregation", IDC_BA_MPDU, BS_AUTOCHECKBOX | WS_TABSTOP,
                {8, 174, 90, 184}),
        Control("Button", "Manual", IDC_BA_POLICY_MANUAL, kFirstRadio, {94, 174, 134, 184}),
        Control("Button", "Auto", IDC_BA_POLICY_AUTO, kRadio, {136, 174, 170, 184}),
        Control("Static", "MPDU density", IDC_BA_DENSITY_LABEL, SS_LEFT, {176, 174, 230, 184}),
        density,
        // A-MSDU and SMPS: hidden here, shown by the page.
        Hidden("Button", "A-MSDU", IDC_BA_AMSDU_GROUP, BS_GROUPBOX, {6, 188, 130, 228}),
        Hidden("Button", "Enable", IDC_BA_AMSDU, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP,
               {12, 198, 60, 208}),
        Hidden("Button", "Max: 3839", IDC_BA_AMSDU_3839, kFirstRadio, {12, 212, 60, 222}),
        Hidden("Button", "Max: 7935", IDC_BA_AMSDU_7935, kRadio, {64, 212, 120, 222}),
        Hidden("Button", "SM Power Save", IDC_BA_SMPS_GROUP, BS_GROUPBOX, {134, 188, 320, 228}),
        Hidden("Button", "SM enable", IDC_BA_SM_ENABLE, kFirstRadio, {140, 198, 200, 208}),
        Hidden("Button", "Static SMPS", IDC_BA_SMPS_STATIC, kRadio, {204, 198, 260, 208}),
        Hidden("Button", "Dynamic SMPS", IDC_BA_SMPS_DYNAMIC, kRadio, {140, 212, 200, 222}),
        Control("Button", "APPLY", IDC_BA_APPLY, kButton, {330, 208, 390, 224}),
    };
    t.controls.insert(t.controls.end(), std::begin(controls), std::end(controls));
    return t;
}

// The dialogs: the TID, (the add dialog's window size,) the peers, OK and CANCEL.
DialogTemplate sessionDialog(const char* caption, bool bAdd)
{
    DialogTemplate t;
    t.caption = caption;
    t.rect = {0, 0, 200, 152};
    t.controls = {
        Control("Static", "TID", IDC_BADLG_TID_LABEL, SS_LEFT, {8, 8, 40, 18}),
        Control("ComboBox", "", IDC_BADLG_TID, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                {44, 6, 80, 80}),
    };
    if (bAdd)
    {
        t.controls.push_back(Control("Static", "BA Window Size Limit", IDC_ADDBA_WINDOW_LABEL,
                                     SS_LEFT, {8, 24, 100, 34}));
        t.controls.push_back(Control("Edit", "", IDC_ADDBA_WINDOW,
                                     ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {104, 22, 140, 34}));
    }
    t.controls.push_back(
        Control("Static", "Connected Bssids", IDC_BADLG_BSSIDS_LABEL, SS_LEFT, {8, 40, 100, 50}));
    t.controls.push_back(Control(WC_LISTVIEW, "", IDC_BADLG_BSSIDS, kList, {8, 52, 192, 122}));
    t.controls.push_back(
        Control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, {40, 130, 90, 144}));
    t.controls.push_back(Control("Button", "CANCEL", IDCANCEL, kButton, {110, 130, 160, 144}));
    return t;
}

} // namespace

void RegisterBlockAckTemplates()
{
    platform::RegisterDialogTemplate(IDD_BLOCKACK_PAGE, blockAckPage());
    platform::RegisterDialogTemplate(IDD_ADDBA_DLG, sessionDialog("Add MPDU Aggregation", true));
    platform::RegisterDialogTemplate(IDD_DELBA_DLG,
                                     sessionDialog("Delete MPDU Aggregation", false));
}

void AddBlockAckStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_BA_AUTO, "Auto"},
        {IDS_BA_RECIPIENT, "Recipient of"},
        {IDS_BA_MANUAL, "Manual"},
        {IDS_BA_ADD, "ADD"},
        {IDS_BA_DELETE_ENTRY, "DELETE ENTRY"},
        {IDS_BA_APPLY, "APPLY"},
        {IDS_BA_TID, "TID"},
        {IDS_BA_ORIGINATOR, "Originator of"},
        {IDS_BA_DELETE, "delete"},
        {IDS_ADDBA_CAPTION, "add MPDU Aggregation"},
        {IDS_BA_CONNECTED_BSSIDS, "Connected Bssids"},
        {IDS_ADDBA_WINDOW, "BA Window Size Limit"},
        {IDS_BA_COL_MAC, "MAC"},
        {IDS_BA_OK, "OK"},
        {IDS_BA_CHOOSE_BSSID, "Please choose BSSID"},
        {IDS_BA_CANCEL, "CANCEL"},
        {IDS_BA_DENSITY, "MPDU density"},
        {IDS_DELBA_CAPTION, "delete MPDU Aggregation"},
    });
}
