#include "resources/TessarynAp/BlockAckResources.h"

#include "platform/ui/controls/CommCtrl.h"
#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;
using resources::Hidden;

constexpr DWORD kList = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;

DialogTemplate blockAckPage()
{
    DialogTemplate t = resources::EmptyPageTemplate("11n Setting");
    auto& c = t.controls;
    c.push_back(Control("Button", "MPDU Aggregation", IDC_BA_MPDU, BS_AUTOCHECKBOX | WS_TABSTOP,
                        {7, 4, 90, 14}));
    c.push_back(Control("Button", "Manual", IDC_BA_POLICY_MANUAL,
                        BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {96, 4, 136, 14}));
    c.push_back(
        Control("Button", "Auto", IDC_BA_POLICY_AUTO, BS_AUTORADIOBUTTON, {140, 4, 176, 14}));
    c.push_back(Control("Static", "MPDU density", IDC_STATIC, SS_LEFT, {182, 5, 228, 14}));
    c.push_back(Control("ComboBox", "", IDC_BA_DENSITY, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP,
                        {230, 3, 273, 60}));
    c.back().items = {"0", "1", "2", "3", "4", "5", "6", "7"};
    c.push_back(Control("Button", "Enable A-MSDU", IDC_BA_AMSDU, BS_AUTOCHECKBOX | WS_TABSTOP,
                        {7, 18, 70, 28}));
    c.push_back(Control("Button", "Max: 3839", IDC_BA_AMSDU_3839,
                        BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {74, 18, 120, 28}));
    c.push_back(
        Control("Button", "Max: 7935", IDC_BA_AMSDU_7935, BS_AUTORADIOBUTTON, {124, 18, 170, 28}));
    c.push_back(Control("Button", "SM enable", IDC_BA_SM_ENABLE,
                        BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {7, 32, 70, 42}));
    c.push_back(
        Control("Button", "Static SMPS", IDC_BA_SM_STATIC, BS_AUTORADIOBUTTON, {74, 32, 140, 42}));
    c.push_back(Control("Button", "Dynamic SMPS", IDC_BA_SM_DYNAMIC, BS_AUTORADIOBUTTON,
                        {144, 32, 214, 42}));
    c.push_back(Control("Button", "APPLY", IDC_BA_APPLY, kPush, {220, 30, 273, 44}));
    c.push_back(Control("Button", "Originator of", IDC_STATIC, BS_GROUPBOX, {7, 48, 273, 120}));
    c.push_back(Control(WC_LISTVIEWA, "", IDC_BA_ORI_LIST, kList, {12, 58, 210, 116}));
    c.push_back(Control("Button", "ADD", IDC_BA_ORI_ADD, kPush, {214, 58, 268, 72}));
    c.push_back(Control("Button", "DELETE", IDC_BA_ORI_DELETE, kPush, {214, 78, 268, 92}));
    c.push_back(
        Hidden("Button", "DELETE ENTRY", IDC_BA_ORI_DELETE_ENTRY, kPush, {214, 98, 268, 112}));
    c.push_back(Control("Button", "Recipient of", IDC_STATIC, BS_GROUPBOX, {7, 124, 273, 196}));
    c.push_back(Control(WC_LISTVIEWA, "", IDC_BA_REC_LIST, kList, {12, 134, 210, 192}));
    c.push_back(Hidden("Button", "ADD", IDC_BA_REC_ADD, kPush, {214, 134, 268, 148}));
    c.push_back(Control("Button", "DELETE", IDC_BA_REC_DELETE, kPush, {214, 154, 268, 168}));
    c.push_back(
        Hidden("Button", "DELETE ENTRY", IDC_BA_REC_DELETE_ENTRY, kPush, {214, 174, 268, 188}));
    return t;
}

// The controls both dialogs have; the add dialog adds the window-size limit.
DialogTemplate blockAckDialog(const char* caption, bool bWindowSize)
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.caption = caption;
    t.rect = {0, 0, 200, 150};
    auto& c = t.controls;
    c.push_back(Control("Static", "TID", IDC_BADLG_TID_LABEL, SS_LEFT, {7, 9, 40, 18}));
    c.push_back(Control("ComboBox", "", IDC_BADLG_TID, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                        {44, 7, 90, 80}));
    if (bWindowSize)
    {
        c.push_back(Control("Static", "BA Window Size Limit", IDC_BADLG_WINDOW_LABEL, SS_LEFT,
                            {96, 9, 160, 18}));
        c.push_back(Control("Edit", "", IDC_BADLG_WINDOW_SIZE,
                            ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {162, 7, 193, 19}));
    }
    c.push_back(Control("Static", "Stations", IDC_BADLG_LIST_LABEL, SS_LEFT, {7, 26, 100, 35}));
    c.push_back(Control(WC_LISTVIEWA, "", IDC_BADLG_BSSID_LIST, kList, {7, 37, 193, 120}));
    c.push_back(Control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, {40, 126, 95, 142}));
    c.push_back(Control("Button", "CANCEL", IDCANCEL, kPush, {105, 126, 160, 142}));
    return t;
}

} // namespace

void RegisterBlockAckTemplates()
{
    platform::RegisterDialogTemplate(IDD_BLOCKACK_PAGE, blockAckPage());
    platform::RegisterDialogTemplate(IDD_ADD_BLOCKACK_DIALOG,
                                     blockAckDialog("Add MPDU Aggregation", true));
    platform::RegisterDialogTemplate(IDD_DELETE_BLOCKACK_DIALOG,
                                     blockAckDialog("Delete MPDU Aggregation", false));
}

void AddBlockAckStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_BA_MAC, "MAC"},
        {IDS_BA_SELECT_BSSID, "Please select BSSID"},
    });
}
