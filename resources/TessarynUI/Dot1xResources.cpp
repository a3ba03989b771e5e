#include "resources/TessarynUI/Dot1xResources.h"

#include "platform/ui/controls/CommCtrl.h"
#include "resources/TessarynUI/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogControl;
using platform::DialogTemplate;
using resources::Control;
using resources::Hidden;

const DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
const DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

// A drop-down list with the entries of its dialog-init data.
DialogControl InitList(int id, RECT rect, std::vector<std::string> items)
{
    DialogControl c = Control("ComboBox", "", id, kList, rect);
    c.items = std::move(items);
    return c;
}

DialogTemplate authPage()
{
    DialogTemplate t;
    t.style = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;
    t.caption = "Certification";
    t.rect = {0, 0, 280, 236};
    t.controls = {
        Control("Static", "", IDC_DA_METHOD_LABEL, SS_LEFT, {8, 9, 90, 19}),
        InitList(IDC_DA_METHOD_COMBO, {94, 7, 200, 80}, {"PEAP", "TLS/Smart Card", "TTLS"}),
        Control("Static", "Session Resumption", IDC_DA_RESUME_LABEL, SS_LEFT, {8, 25, 90, 35}),
        InitList(IDC_DA_RESUME_COMBO, {94, 23, 200, 70}, {"Disabled", "Enabled"}),
        Control("Static", "", IDC_DA_ID_LABEL, SS_LEFT, {8, 41, 90, 51}),
        Control("Edit", "", IDC_DA_ID_EDIT, kEdit, {94, 39, 272, 51}),
        Control("Static", "", IDC_DA_PASSWORD_LABEL, SS_LEFT, {8, 57, 90, 67}),
        Control("Edit", "", IDC_DA_PASSWORD_EDIT, kEdit | ES_PASSWORD, {94, 55, 272, 67}),
        Hidden("Button", "", IDC_DA_WINDOWS_LOGON_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP,
               {8, 71, 200, 81}),
        Control("Button", "", IDC_DA_CLIENT_CERT_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP,
                {8, 83, 150, 93}),
        Control("Button", "", IDC_DA_MORE, kButton, {222, 81, 272, 93}),
        Control("Static", "", IDC_DA_ISSUED_TO, SS_LEFT | SS_NOPREFIX, {16, 96, 272, 104}),
        Control("Static", "", IDC_DA_ISSUED_BY, SS_LEFT | SS_NOPREFIX, {16, 105, 272, 113}),
        Control("Static", "", IDC_DA_EXPIRED_ON, SS_LEFT | SS_NOPREFIX, {16, 114, 272, 122}),
        Control("Static", "", IDC_DA_FRIENDLY_NAME, SS_LEFT | SS_NOPREFIX, {16, 123, 272, 131}),
        Control("Button", "", IDC_DA_TUNNEL_GROUP, BS_GROUPBOX, {4, 134, 276, 186}),
        Control("Static", "", IDC_DA_PROTOCOL_LABEL, SS_LEFT, {10, 146, 70, 156}),
        Control("ComboBox", "", IDC_DA_PROTOCOL_COMBO, kList, {74, 144, 170, 200}),
        Control("Static", "", IDC_DA_TUNNEL_ID_LABEL, SS_LEFT, {10, 160, 70, 170}),
        Control("Edit", "", IDC_DA_TUNNEL_ID_EDIT, kEdit, {74, 158, 170, 170}),
        Control("Static", "", IDC_DA_TUNNEL_PASSWORD_LABEL, SS_LEFT, {10, 173, 70, 183}),
        Control("Edit", "", IDC_DA_TUNNEL_PASSWORD_EDIT, kEdit | ES_PASSWORD, {74, 171, 170, 183}),
        Control("Button", "Password Mode", IDC_DA_PASSWORD_MODE_GROUP, BS_GROUPBOX,
                {176, 142, 272, 182}),
        Control("Button", "Soft Token", IDC_DA_SOFT_TOKEN_RADIO,
                BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {182, 153, 268, 163}),
        Control("Button", "Static Password", IDC_DA_STATIC_PASSWORD_RADIO, BS_AUTORADIOBUTTON,
                {182, 166, 268, 176}),
        Control("Button", "", IDC_DA_USE_PAC_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
                {8, 190, 170, 200}),
        Control("Button", "", IDC_DA_PAC_IMPORT, kButton, {172, 188, 220, 200}),
        Control("Button", "", IDC_DA_PAC_REMOVE, kButton, {224, 188, 272, 200}),
        Control("Static", "", IDC_DA_PAC_PATH, SS_LEFT | SS_NOPREFIX, {16, 203, 272, 211}),
        Control("Button", "", IDC_DA_PROVISION_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP,
                {8, 214, 160, 224}),
        Control("Static", "", IDC_DA_PROVISION_LABEL, SS_LEFT, {8, 224, 90, 234}),
        Control("ComboBox", "", IDC_DA_PROVISION_COMBO, kList, {94, 222, 200, 270}),
    };
    return t;
}

DialogTemplate caServerPage()
{
    DialogTemplate t;
    t.style = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;
    t.caption = "CA Server";
    t.rect = {0, 0, 280, 200};
    t.controls = {
        Control("Button", "", IDC_CA_CHAIN_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP, {8, 10, 200, 20}),
        Control("Static", "", IDC_CA_ISSUER_LABEL, SS_LEFT, {16, 26, 120, 36}),
        Control("ComboBox", "", IDC_CA_ISSUER_COMBO, kList, {16, 38, 272, 120}),
        Control("Button", "", IDC_CA_INTERMEDIATE_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP,
                {16, 56, 240, 66}),
        Control("Static", "", IDC_CA_SERVER_NAME_LABEL, SS_LEFT, {16, 72, 120, 82}),
        Control("Edit", "", IDC_CA_SERVER_NAME_EDIT, kEdit, {16, 84, 272, 96}),
        Control("Button", "", IDC_CA_EXACT_RADIO, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                {16, 102, 240, 112}),
        Control("Button", "", IDC_CA_DOMAIN_RADIO, BS_AUTORADIOBUTTON, {16, 114, 240, 124}),
    };
    return t;
}

DialogTemplate selCertDialog()
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    t.caption = "Select Certificate";
    t.rect = {0, 0, 300, 150};
    t.controls = {
        Control(WC_LISTVIEWA, "", IDC_SELCERT_LIST,
                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
                {7, 7, 293, 120}),
        Control("Button", "", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, {170, 128, 225, 142}),
        Control("Button", "", IDCANCEL, kButton, {238, 128, 293, 142}),
    };
    return t;
}

DialogTemplate peapSettingDialog()
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    t.caption = "Peap Setting - One Time Password";
    t.rect = {0, 0, 220, 80};
    t.controls = {
        Control("Static", "Tunnel Identity", IDC_PEAP_ID_LABEL, SS_LEFT, {8, 10, 80, 20}),
        Control("Edit", "", IDC_PEAP_ID_EDIT, kEdit, {84, 8, 212, 20}),
        Control("Static", "Tunnel Password", IDC_PEAP_PASSWORD_LABEL, SS_LEFT, {8, 28, 80, 38}),
        Control("Edit", "", IDC_PEAP_PASSWORD_EDIT, kEdit | ES_PASSWORD, {84, 26, 212, 38}),
        Control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, {94, 58, 149, 72}),
        Control("Button", "Cancel", IDCANCEL, kButton, {157, 58, 212, 72}),
    };
    return t;
}

} // namespace

void RegisterDot1xTemplates()
{
    platform::RegisterDialogTemplate(IDD_8021X_AUTH_PAGE, authPage());
    platform::RegisterDialogTemplate(IDD_8021X_CASERVER_PAGE, caServerPage());
    platform::RegisterDialogTemplate(IDD_SELCERT_DIALOG, selCertDialog());
    platform::RegisterDialogTemplate(IDD_PEAP_SETTING_DLG, peapSettingDialog());
}

void AddDot1xStrings(std::map<UINT, std::string>& strings)
{
    static const std::pair<UINT, const char*> kStrings[] = {
        {IDS_DA_USE_CLIENT_CERT, "Use Client certificate"},
        {IDS_DA_TUNNELED_AUTH, "Tunneled Authentication"},
        {IDS_DA_WINDOWS_LOGON, "Use Windows logon id and password"},
        {IDS_DA_MORE, "More.."},
        {IDS_DA_USE_PAC, "Use protected authentication credential"},
        {IDS_DA_PAC_IMPORT, "Import"},
        {IDS_DA_PAC_REMOVE, "Remove"},
        {IDS_DA_PROVISION, "Allow unauthenticated provision mode"},
        {IDS_DA_IDENTITY, "Identity"},
        {IDS_DA_PASSWORD, "Password"},
        {IDS_DA_PROTOCOL, "Protocol"},
        {IDS_DA_PROVISIONING_TUNNEL, "Provisioning Tunnel"},
        {IDS_DA_AUTH_TYPE, "Authentication Type"},
        {IDS_DA_ISSUED_TO, "Issued To"},
        {IDS_DA_ISSUED_BY, "Issued By"},
        {IDS_DA_EXPIRED_ON, "Expired On"},
        {IDS_DA_FRIENDLY_NAME, "Friendly Name"},
        {IDS_DA_FILE_PATH, "File Path"},
        {IDS_DOT1X_IDENTITY_REQUIRED, "Identity required in authentication setting!"},
        {IDS_DOT1X_TUNNEL_ID_PASSWORD_REQUIRED,
         "Tunneled identity and password required for FAST, TTLS or PEAP authentication!"},
        {IDS_DOT1X_TUNNEL_ID_REQUIRED, "Tunneled identity required for PEAP authentication!"},
        {IDS_DOT1X_MD5_PASSWORD_REQUIRED, "Password required for MD5 authentication!"},
        {IDS_DOT1X_SELECT_CLIENT_CERT, "Please select a client certificate to use!"},
        {IDS_DOT1X_SERVER_ID_REQUIRED,
         "Server Identity required for TLS/TTLS/PEAP server verification!"},
        {IDS_DOT1X_INVALID_DOMAIN, "Invalid domain name"},
        {IDS_CA_SERVER_NAME, "Server name :"},
        {IDS_CA_ISSUER, "Certificate issuer :"},
        {IDS_CA_INTERMEDIATE, "&Allow intermidiate certificates"},
        {IDS_CA_EXACT_NAME, "Server name must match exactly"},
        {IDS_CA_DOMAIN_NAME, "Domain name must end in specified name"},
        {IDS_CA_USE_CHAIN, "Use certificate chain"},
        {IDS_CA_ANY_TRUSTED, "- Any Trusted CA -"},
        {IDS_SELCERT_CAPTION, "Certificate Selection"},
        {IDS_PEAP_IDENTITY_REQUIRED, "Must input Identity"},
        {IDS_PEAP_PASSWORD_REQUIRED, "Must input Password"},
    };
    for (const auto& entry : kStrings)
        strings.emplace(entry.first, entry.second);
}
