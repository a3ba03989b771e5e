#include "resources/TessarynUI/SiteSurveyResources.h"

#include "resources/TessarynUI/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;

DialogTemplate siteSurveyPage()
{
    DialogTemplate t;
    t.style = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;
    t.caption = "Site Survey";
    t.rect = {0, 0, 280, 200};
    t.controls = {
        Control(WC_LISTVIEWA, "", IDC_SITE_LIST,
                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
                {7, 7, 273, 160}),
        Control("Edit", "", IDC_SITE_STATUS, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER,
                {7, 165, 273, 178}),
        Control("Button", "Rescan", IDC_SITE_RESCAN, BS_PUSHBUTTON | WS_TABSTOP, {7, 182, 72, 196}),
        Control("Button", "Connect", IDC_SITE_CONNECT, BS_PUSHBUTTON | WS_TABSTOP,
                {107, 182, 172, 196}),
        Control("Button", "Add to Profile", IDC_SITE_ADD_PROFILE, BS_PUSHBUTTON | WS_TABSTOP,
                {208, 182, 273, 196}),
    };
    // Connect is reached by a double click on a row.
    t.controls[3].style &= ~WS_VISIBLE;
    return t;
}

DialogTemplate hiddenSsidDialog()
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    t.caption = "Hidden SSID";
    t.rect = {0, 0, 186, 70};
    t.controls = {
        Control("Static", "", IDC_HIDDEN_SSID_PROMPT, SS_LEFT, {10, 8, 176, 18}),
        Control("Edit", "", IDC_HIDDEN_SSID_EDIT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
                {10, 22, 176, 35}),
        Control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, {30, 48, 85, 62}),
        Control("Button", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, {101, 48, 156, 62}),
    };
    return t;
}

} // namespace

void RegisterSiteSurveyTemplates()
{
    platform::RegisterDialogTemplate(IDD_SITESURVEY_PAGE, siteSurveyPage());
    platform::RegisterDialogTemplate(IDD_HIDDEN_SSID_DLG, hiddenSsidDialog());
}

void AddSiteSurveyStrings(std::map<UINT, std::string>& strings)
{
    static const std::pair<UINT, const char*> kStrings[] = {
        {IDS_SITE_RESCAN, "Rescan"},
        {IDS_SITE_CONNECT, "Connect"},
        {IDS_SITE_ADD_PROFILE, "Add to Profile"},
        {IDS_SITE_COL_SSID, "SSID"},
        {IDS_SITE_COL_BSSID, "BSSID"},
        {IDS_SITE_COL_PHY_TYPE, "Phy Type"},
        {IDS_SITE_COL_SIGNAL, "Signal"},
        {IDS_SITE_COL_CHANNEL, "Channel"},
        {IDS_SITE_COL_ENCRYPTION, "Encryption"},
        {IDS_SITE_COL_AUTHENTICATION, "Authentication"},
        {IDS_SITE_COL_NETWORK_TYPE, "Network Type"},
        {IDS_SITE_RESCANNING, "Rescanning"},
        {IDS_SITE_CONNECTING, "Connecting"},
        {IDS_SITE_UNKNOWN, "Unknown"},
        {IDS_SITE_CONNECTED, "Connected"},
        {IDS_HIDDEN_SSID_PROMPT, "Please enter SSID"},
        {IDS_HIDDEN_SSID_OK, "OK"},
        {IDS_HIDDEN_SSID_CANCEL, "Cancel"},
    };
    for (const auto& entry : kStrings)
        strings.emplace(entry.first, entry.second);
}
