#pragma once
// Control and string ids of the Profile page and of the profile editing sheet.

// Profile page controls.
#define IDC_PROFILE_ADD 1032
#define IDC_PROFILE_DELETE 1033
#define IDC_PROFILE_EDIT 1034
#define IDC_PROFILE_ACTIVATE 1035
#define IDC_PROFILE_LIST 1059
#define IDC_PROFILE_GROUP 1199

// Icons of the profile list's image lists.
#define IDI_PROFILE 174
#define IDI_PROFILE_ACTIVE 185

// List column titles.
#define IDS_COL_PROFILE_NAME 39
#define IDS_COL_SSID 40
#define IDS_COL_CHANNEL 41
#define IDS_COL_AUTHENTICATION 42
#define IDS_COL_ENCRYPTION 43
#define IDS_COL_NETWORK_TYPE 44

// Buttons and group box.
#define IDS_PROFILE_ADD 46
#define IDS_PROFILE_DELETE 47
#define IDS_PROFILE_EDIT 48
#define IDS_PROFILE_ACTIVATE 49
#define IDS_PROFILE_LIST 103

// Authentication texts.
#define IDS_AUTH_OPEN 146
#define IDS_AUTH_SHARED 147
#define IDS_AUTH_BLANK 179
#define IDS_AUTH_WPA 116
#define IDS_AUTH_WPA_PSK 117
#define IDS_AUTH_WPA_NONE 118
#define IDS_AUTH_WPA2 325
#define IDS_AUTH_WPA2_PSK 326
#define IDS_AUTH_LEAP 308
#define IDS_AUTH_8021X_SUFFIX 310

// Encryption and network-type texts.
#define IDS_ENC_TKIP 113
#define IDS_ENC_AES 114
#define IDS_ENC_NONE 123
#define IDS_ENC_WEP 124
#define IDS_NET_ADHOC 120
#define IDS_NET_INFRASTRUCTURE 121
#define IDS_NET_AUTO 122

// Captions and the generated-name prefix.
#define IDS_ADD_PROFILE 185
#define IDS_EDIT_PROFILE 314
#define IDS_PROFILE_PREFIX 189

// Messages.
#define IDS_NO_SELECTED_ITEM 109
#define IDS_PROFILE_NAME_TOO_LONG 136
#define IDS_ENTER_PROFILE_NAME 190
#define IDS_CREATE_ANOTHER_PROFILE 192
#define IDS_DUPLICATE_PROFILE_NAME 193
#define IDS_WEP_ASCII_LENGTH 197
#define IDS_SSID_REQUIRED 233
#define IDS_WPA_PSK_INVALID 236
#define IDS_LEAP_ID_PASSWORD 309
#define IDS_WEP_HEX_LENGTH 320
#define IDS_WPA2_PSK_INVALID 329
// A name or text the settings file cannot hold as typed.
#define IDS_PROFILE_NAME_CHARS 1600
#define IDS_PROFILE_TEXT_LINE_BREAK 1601
