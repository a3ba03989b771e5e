#pragma once
// Control ids of the Site Survey page and the hidden-SSID dialog, and the dialog's template.

// The hidden-SSID dialog
#define IDD_HIDDEN_SSID_DLG 197

// Controls of the Site Survey page
#define IDC_SITE_LIST 1002
#define IDC_SITE_RESCAN 1003
#define IDC_SITE_CONNECT 1004
#define IDC_SITE_ADD_PROFILE 1005
#define IDC_SITE_STATUS 1086

// Controls of the hidden-SSID dialog
#define IDC_HIDDEN_SSID_EDIT 1062
#define IDC_HIDDEN_SSID_PROMPT 1211
