#pragma once
// Resource identifiers of TessarynUI: each dialog template, icon, bitmap, menu, command, string
// and control has one name, here. Control ids count within their own template only, so one
// number may name controls of several templates; the other kinds are unique within their kind.

// ---------------------------------------------------------------------------------------------
// Shared with the access-point program

// The adapter selection dialog (IDD_SELCARD_DIALOG) and its controls.
#include "resources/common/SelCardIds.h"
// The site list's three icons (IDI_SITE_LIST_0 to IDI_SITE_LIST_2).
#include "resources/common/SiteListIds.h"

// ---------------------------------------------------------------------------------------------
// Dialog templates

#define IDD_PROFILE_PAGE 129
#define IDD_SYSCONFIG_PAGE 130
#define IDD_AUTHSECU_PAGE 132
#define IDD_LINKSTATUS_PAGE 133
#define IDD_SITESURVEY_PAGE 134
#define IDD_STATISTIC_PAGE 135
#define IDD_ABOUT_PAGE 136
#define IDD_HIDE_DIALOG 149 // the monitor window, never shown: it takes the default template
#define IDD_REGSET_PAGE 175
#define IDD_ADVANCE_PAGE 190
#define IDD_AUTHSECU_DIALOG 194 // the dialog form of the Authentication and Security page
#define IDD_HIDDEN_SSID_DLG 197
#define IDD_8021X_AUTH_PAGE 199
#define IDD_8021X_CASERVER_PAGE 200
#define IDD_SELCERT_DIALOG 201
#define IDD_PEAP_SETTING_DLG 236
#define IDD_QOS_PAGE 237
#define IDD_POWERSAVE_DLG 240
#define IDD_RUNLOOP_DLG 241
#define IDD_ADDBA_DLG 242
#define IDD_DELBA_DLG 243
#define IDD_BLOCKACK_PAGE 244

// ---------------------------------------------------------------------------------------------
// Icons

// The notification-area icon in each state of the adapter and its link. The main sheet shows
// the same icon in its title bar, IDI_DISCONNECTED until the first watchdog tick.
#define IDI_SIGNAL_NORMAL 156 // connected, signal 41 to 70 %
#define IDI_SIGNAL_WEAK 159   // connected, signal 40 % or less
#define IDI_SIGNAL_GOOD 161   // connected, signal above 70 %
#define IDI_DISCONNECTED 163  // adapter present, no link
#define IDI_NO_ADAPTER 179
#define IDI_WEP_ERROR 204 // connected, but frames fail their WEP check: a wrong key

// The profile list's images.
#define IDI_PROFILE 174
#define IDI_PROFILE_ACTIVE 185

// ---------------------------------------------------------------------------------------------
// Bitmaps

#define IDB_RADIO_ON 188
#define IDB_RADIO_OFF 189

// ---------------------------------------------------------------------------------------------
// Menus and commands

// Notification-area menus: without and with the switch to access-point use.
#define IDR_TRAY_MENU 228
#define IDR_TRAY_MENU_AP 231

// Notification-area commands: ID_TRAY_LAUNCH and ID_TRAY_EXIT are the ones both programs' menus
// carry; a second instance posts ID_TRAY_LAUNCH to the running one.
#include "resources/common/TrayIds.h"
#define ID_TRAY_SWITCH_AP 0x800D

// The notification-area icon's id in the shell's table (an id of the icon, not a resource).
#define TRAY_ICON_ID 161

// ---------------------------------------------------------------------------------------------
// Strings

// The program and its main sheet.
#define IDS_SHEET_CAPTION 102
#define IDS_NOT_READY 176
#define IDS_PAGE_PROFILE 180
#define IDS_PAGE_LINK_STATUS 181
#define IDS_PAGE_SITE_SURVEY 182
#define IDS_PAGE_STATISTICS 183
#define IDS_PAGE_ABOUT 184
#define IDS_PAGE_ADVANCED 188
#define IDS_PAGE_11N 375

// Tips of the notification-area icon; "%s" takes the SSID.
#define IDS_TIP_GOOD 199
#define IDS_TIP_DISCONNECTED 200
#define IDS_TIP_NORMAL 201
#define IDS_TIP_NOT_EXIST 202
#define IDS_TIP_WEAK 203
#define IDS_TIP_WEP_ERROR 313

// Texts several pages show.
#define IDS_DISCONNECTED 104
#define IDS_RF_OFF 105
#define IDS_NO_SELECTED_ITEM 109
#define IDS_NET_ADHOC 120
#define IDS_NET_INFRASTRUCTURE 121
#define IDS_NET_AUTO 122
#define IDS_ENC_NONE 123
#define IDS_ENC_WEP 124
#define IDS_ICV_ERROR 311

// Site Survey page: buttons, list columns (SSID to Network Type, in column order), status.
#define IDS_SITE_RESCAN 13
#define IDS_SITE_CONNECT 14
#define IDS_SITE_ADD_PROFILE 15
#define IDS_SITE_COL_SSID 16
#define IDS_SITE_COL_BSSID 17
#define IDS_SITE_COL_PHY_TYPE 18
#define IDS_SITE_COL_SIGNAL 19
#define IDS_SITE_COL_CHANNEL 20
#define IDS_SITE_COL_ENCRYPTION 21
#define IDS_SITE_COL_AUTHENTICATION 22
#define IDS_SITE_COL_NETWORK_TYPE 23
#define IDS_SITE_RESCANNING 53
#define IDS_SITE_CONNECTING 106
#define IDS_SITE_UNKNOWN 107
#define IDS_SITE_CONNECTED 119

// Hidden-SSID dialog.
#define IDS_HIDDEN_SSID_PROMPT 131
#define IDS_HIDDEN_SSID_OK 132
#define IDS_HIDDEN_SSID_CANCEL 133

// Link Status page: labels.
#define IDS_LS_EXTRA_INFO_LABEL 5
#define IDS_LS_QUALITY_LABEL 6
#define IDS_LS_RX_KBPS 7
#define IDS_LS_THROUGHPUT_LABEL 9
#define IDS_LS_TX_KBPS 10
#define IDS_LS_RATE_LABEL 11
#define IDS_LS_STATUS_LABEL 12
#define IDS_LS_SIGNAL1_LABEL 55
#define IDS_LS_TX_MBPS 59
#define IDS_LS_RX_MBPS 60
#define IDS_LS_CHANNEL_LABEL 61
#define IDS_LS_DBM 173
#define IDS_LS_NOISE_LABEL 251
#define IDS_LS_SIGNAL2_LABEL 327
#define IDS_LS_SIGNAL3_LABEL 387
// ... the words of the quality and signal rows
#define IDS_LS_GOOD 50
#define IDS_LS_NORMAL 51
#define IDS_LS_WEAK 52
// ... and of the noise row
#define IDS_LS_NOISE_STRONG 290
#define IDS_LS_NOISE_NORMAL 291
#define IDS_LS_NOISE_LOW 292
// ... the extra information: the driver's link-state codes 0 to 10 in order
#define IDS_LS_LINK_UP 297
#define IDS_LS_LINK_DOWN 298
#define IDS_LS_HW_RADIO_OFF 299
#define IDS_LS_SW_RADIO_OFF 300
#define IDS_LS_OPEN_AUTH_FAIL 301
#define IDS_LS_SHARED_AUTH_FAIL 302
#define IDS_LS_ASSOC_FAIL 303
#define IDS_LS_DEAUTH_MIC 304
#define IDS_LS_DEAUTH_4WAY 305
#define IDS_LS_DEAUTH_GROUP_KEY 306
#define IDS_LS_EAP_SUCCEED 307
#define IDS_LS_CENTRAL_CHANNEL 386

// Statistics page.
#define IDS_STAT_TX_GROUP 26
#define IDS_STAT_TX_SUCCESS 27
#define IDS_STAT_TX_NO_RETRY 28
#define IDS_STAT_TX_RETRY 29
#define IDS_STAT_TX_ACK_FAIL 30
#define IDS_STAT_RTS_SUCCESS 31
#define IDS_STAT_RTS_FAIL 32
#define IDS_STAT_RX_GROUP 33
#define IDS_STAT_RX_SUCCESS 34
#define IDS_STAT_RX_CRC_ERROR 35
#define IDS_STAT_RX_NO_RESOURCE 36
#define IDS_STAT_RX_DUPLICATE 37
#define IDS_STAT_RESET 38

// About page.
#define IDS_ABOUT_DRIVER_VERSION 1
#define IDS_ABOUT_DATE 2
#define IDS_ABOUT_MAC 3
#define IDS_ABOUT_UTILITY_VERSION 4
#define IDS_ABOUT_IP 56
#define IDS_ABOUT_MASK 57
#define IDS_ABOUT_GATEWAY 58
#define IDS_ABOUT_EEPROM 231
#define IDS_ABOUT_FIRMWARE 1244

// Radio pages: texts several of them show, and the wireless modes by code (WirelessModeToText).
// No mode maps to IDS_MODE_N, IDS_MODE_GN or IDS_MODE_AN.
#define IDS_APPLY 212
#define IDS_MODE_B 208
#define IDS_MODE_BG 209
#define IDS_MODE_A 227
#define IDS_MODE_ABG 228
#define IDS_MODE_G 247
#define IDS_MODE_N 388
#define IDS_MODE_ABGN 389
#define IDS_MODE_GN 390
#define IDS_MODE_AN 391
#define IDS_MODE_BGN 392

// Advanced page.
#define IDS_ADV_RADIO_ON 111
#define IDS_ADV_RADIO_OFF 112
#define IDS_ADV_REGION_WARNING 158
#define IDS_ADV_BG_PROTECTION 205
#define IDS_ADV_TX_BURST 210
#define IDS_ADV_CHANNEL_BY_MODE 237
#define IDS_ADV_WIRELESS_MODE 250
#define IDS_ADV_CCX 316
#define IDS_ADV_CCKM 317
#define IDS_ADV_RADIO_MEASUREMENTS 318
#define IDS_ADV_NON_SERVING 319
#define IDS_ADV_QOS 322
#define IDS_ADV_REGION_GROUP 324
#define IDS_ADV_HT_COMBINATION 370
#define IDS_ADV_REGION_BG 1239
#define IDS_ADV_REGION_A 1240

// QoS page and its power-save dialog.
#define IDS_PAGE_QOS 337
#define IDS_QOS_COL_MAC 330
#define IDS_QOS_COL_TIMEOUT 331
#define IDS_QOS_INVALID_MAC 332
#define IDS_QOS_GROUP_MAC 333
#define IDS_QOS_TIMEOUT_RANGE 335
#define IDS_QOS_WMM 336
#define IDS_QOS_TEAR_DOWN 338
#define IDS_QOS_SETTING 339
#define IDS_QOS_APSD 340
#define IDS_QOS_DLS 341
#define IDS_QOS_DIRECT_LINK 342
#define IDS_QOS_DLS_SETUP 343
#define IDS_QOS_DLS_STATUS 344
#define IDS_POWERSAVE_CAPTION 345
#define IDS_QOS_MAC_LABEL 346
#define IDS_QOS_SEC 347

// 802.11n page and its add and delete dialogs.
#define IDS_BA_AUTO 356
#define IDS_BA_RECIPIENT 357
#define IDS_BA_MANUAL 358
#define IDS_BA_ADD 360
#define IDS_BA_DELETE_ENTRY 361
#define IDS_BA_APPLY 362
#define IDS_BA_TID 363
#define IDS_BA_ORIGINATOR 364
#define IDS_BA_DELETE 365
#define IDS_ADDBA_CAPTION 366
#define IDS_BA_CONNECTED_BSSIDS 367
#define IDS_ADDBA_WINDOW 371
#define IDS_BA_COL_MAC 372
#define IDS_BA_OK 374
#define IDS_BA_CHOOSE_BSSID 380
#define IDS_BA_CANCEL 381
#define IDS_BA_DENSITY 384
#define IDS_DELBA_CAPTION 385

// Profile page: list columns, buttons and group box.
#define IDS_COL_PROFILE_NAME 39
#define IDS_COL_SSID 40
#define IDS_COL_CHANNEL 41
#define IDS_COL_AUTHENTICATION 42
#define IDS_COL_ENCRYPTION 43
#define IDS_COL_NETWORK_TYPE 44
#define IDS_PROFILE_ADD 46
#define IDS_PROFILE_DELETE 47
#define IDS_PROFILE_EDIT 48
#define IDS_PROFILE_ACTIVATE 49
#define IDS_PROFILE_LIST 103
// ... authentication and encryption texts of the list
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
#define IDS_ENC_TKIP 113
#define IDS_ENC_AES 114

// Profile editor: captions, the generated-name prefix and the messages.
#define IDS_ADD_PROFILE 185
#define IDS_EDIT_PROFILE 314
#define IDS_PROFILE_PREFIX 189
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
// ... a name or text the settings file cannot hold as typed
#define IDS_PROFILE_NAME_CHARS 1600
#define IDS_PROFILE_TEXT_LINE_BREAK 1601

// System Configuration page.
#define IDS_SC_PSM_GROUP 1300
#define IDS_SC_CAM 1301
#define IDS_SC_CAM_ON_AC 1302
#define IDS_SC_PSM 1303
#define IDS_SC_RTS_THRESHOLD 1304
#define IDS_SC_FRAG_THRESHOLD 1305
#define IDS_SC_ADHOC 1306
#define IDS_SC_INFRASTRUCTURE 1307
#define IDS_SC_PREAMBLE_AUTO 1308
#define IDS_SC_PREAMBLE_LONG 1309
// ... the transmit-power list, in list order
#define IDS_SC_TXPOWER_AUTO 1310
#define IDS_SC_TXPOWER_100 1311
#define IDS_SC_TXPOWER_75 1312
#define IDS_SC_TXPOWER_50 1313
#define IDS_SC_TXPOWER_25 1314
#define IDS_SC_TXPOWER_10 1315
#define IDS_SC_TXPOWER_LOWEST 1316
// ... labels
#define IDS_SC_LABEL_TX_POWER 1320
#define IDS_SC_LABEL_PREAMBLE 1321
#define IDS_SC_LABEL_NETWORK_TYPE 1322
#define IDS_SC_LABEL_CHANNEL 1323
#define IDS_SC_LABEL_PROFILE_NAME 1324
#define IDS_SC_LABEL_SSID 1325

// Authentication and Security page.
#define IDS_AS_OPEN 1340
#define IDS_AS_SHARED 1341
#define IDS_AS_LEAP 1342
#define IDS_AS_LABEL_AUTH 1343
#define IDS_AS_LABEL_ENCRYPT 1344
#define IDS_AS_LABEL_PSK 1345
// ... the hint under the keys while default key 1 to 4 is chosen
#define IDS_AS_WEP_HINT1 1346
#define IDS_AS_WEP_HINT2 1347
#define IDS_AS_WEP_HINT3 1348
#define IDS_AS_WEP_HINT4 1349
#define IDS_AS_SHOW_PASSWORD 1350
#define IDS_AS_8021X_SETTING 1351
#define IDS_AS_WEP_GROUP 1352
#define IDS_AS_USE_8021X 1353
#define IDS_AS_DISABLE_8021X 1354
#define IDS_AS_KEY1 1355
#define IDS_AS_KEY2 1356
#define IDS_AS_KEY3 1357
#define IDS_AS_KEY4 1358
#define IDS_AS_HEX 1360
#define IDS_AS_ASCII 1361

// Authentication and Security dialog: its caption; the buttons of it and of the certificate
// selection dialog.
#define IDS_ASD_CAPTION 1362
#define IDS_DIALOG_OK 1363
#define IDS_DIALOG_CANCEL 1364

// 802.1X Authentication page.
#define IDS_DA_USE_CLIENT_CERT 1700
#define IDS_DA_TUNNELED_AUTH 1701
#define IDS_DA_WINDOWS_LOGON 1702
#define IDS_DA_MORE 1703
#define IDS_DA_USE_PAC 1704
#define IDS_DA_PAC_IMPORT 1705
#define IDS_DA_PAC_REMOVE 1706
#define IDS_DA_PROVISION 1707
#define IDS_DA_IDENTITY 1708
#define IDS_DA_PASSWORD 1709
#define IDS_DA_PROTOCOL 1710
#define IDS_DA_PROVISIONING_TUNNEL 1711
#define IDS_DA_AUTH_TYPE 1712
// ... the labels of the certificate lines and the PAC path, each followed by " : "
#define IDS_DA_ISSUED_TO 1713
#define IDS_DA_ISSUED_BY 1714
#define IDS_DA_EXPIRED_ON 1715
#define IDS_DA_FRIENDLY_NAME 1716
#define IDS_DA_FILE_PATH 1717
// ... the messages of the 802.1X check
#define IDS_DOT1X_IDENTITY_REQUIRED 1720
#define IDS_DOT1X_TUNNEL_ID_PASSWORD_REQUIRED 1721
#define IDS_DOT1X_TUNNEL_ID_REQUIRED 1722
#define IDS_DOT1X_MD5_PASSWORD_REQUIRED 1723
#define IDS_DOT1X_SELECT_CLIENT_CERT 1724
#define IDS_DOT1X_SERVER_ID_REQUIRED 1725
#define IDS_DOT1X_INVALID_DOMAIN 1726

// 802.1X CA Server page.
#define IDS_CA_SERVER_NAME 1730
#define IDS_CA_ISSUER 1731
#define IDS_CA_INTERMEDIATE 1732
#define IDS_CA_EXACT_NAME 1733
#define IDS_CA_DOMAIN_NAME 1734
#define IDS_CA_USE_CHAIN 1735
#define IDS_CA_ANY_TRUSTED 1736

// Certificate selection and one-time-password dialogs.
#define IDS_SELCERT_CAPTION 1740
#define IDS_PEAP_IDENTITY_REQUIRED 1741
#define IDS_PEAP_PASSWORD_REQUIRED 1742

// ---------------------------------------------------------------------------------------------
// Controls, by template

// Site Survey page (IDD_SITESURVEY_PAGE). Other windows post WM_COMMAND IDC_SITE_RESCAN to the
// page to have it rescan.
#define IDC_SITE_LIST 1002
#define IDC_SITE_RESCAN 1003
#define IDC_SITE_CONNECT 1004
#define IDC_SITE_ADD_PROFILE 1005
#define IDC_SITE_STATUS 1086

// Hidden-SSID dialog (IDD_HIDDEN_SSID_DLG).
#define IDC_HIDDEN_SSID_EDIT 1062
#define IDC_HIDDEN_SSID_PROMPT 1211

// Link Status page (IDD_LINKSTATUS_PAGE): values, words and bars.
#define IDC_LS_STATUS 1041
#define IDC_LS_EXTRA_INFO 1048
#define IDC_LS_CHANNEL 1042
#define IDC_LS_TX_RATE 1043
#define IDC_LS_RX_RATE 1044
#define IDC_LS_TX_THROUGHPUT 1008
#define IDC_LS_RX_THROUGHPUT 1009
#define IDC_LS_QUALITY 1039
#define IDC_LS_QUALITY_WORD 1045
#define IDC_LS_QUALITY_BAR 1010
#define IDC_LS_SIGNAL1 1040
#define IDC_LS_SIGNAL1_WORD 1047
#define IDC_LS_SIGNAL1_BAR 1012
#define IDC_LS_SIGNAL2 1050
#define IDC_LS_SIGNAL2_WORD 1051
#define IDC_LS_SIGNAL2_BAR 1014
#define IDC_LS_SIGNAL3 3052
#define IDC_LS_SIGNAL3_WORD 4053
#define IDC_LS_SIGNAL3_BAR 1015
#define IDC_LS_NOISE 1046
#define IDC_LS_NOISE_WORD 1049
#define IDC_LS_NOISE_BAR 1013
#define IDC_LS_DBM 1106
// ... labels
#define IDC_LS_STATUS_LABEL 1191
#define IDC_LS_EXTRA_INFO_LABEL 1217
#define IDC_LS_CHANNEL_LABEL 1192
#define IDC_LS_RATE_LABEL 1193
#define IDC_LS_TX_RATE_LABEL 1209
#define IDC_LS_RX_RATE_LABEL 1210
#define IDC_LS_THROUGHPUT_LABEL 1194
#define IDC_LS_TX_THROUGHPUT_LABEL 1198
#define IDC_LS_RX_THROUGHPUT_LABEL 1197
#define IDC_LS_QUALITY_LABEL 1195
#define IDC_LS_SIGNAL1_LABEL 1196
#define IDC_LS_SIGNAL2_LABEL 1199
#define IDC_LS_SIGNAL3_LABEL 3200
#define IDC_LS_NOISE_LABEL 1213
// ... the 802.11n group
#define IDC_LS_HT_GROUP 3283
#define IDC_LS_HT_BW 3286
#define IDC_LS_HT_GI 3285
#define IDC_LS_HT_STBC 3287
#define IDC_LS_HT_MCS 1288
#define IDC_LS_HT_SNR0 1289
#define IDC_LS_HT_SNR1 1290
// ... kept hidden: nothing shows them
#define IDC_LS_RECONNECT 1230
#define IDC_LS_REAUTHENTICATE 1231

// Statistics page (IDD_STATISTIC_PAGE): counters, the reset button, group boxes and labels.
#define IDC_STAT_TX_SUCCESS 1074
#define IDC_STAT_TX_NO_RETRY 1075
#define IDC_STAT_TX_RETRY 1076
#define IDC_STAT_RX_DUPLICATE 1077
#define IDC_STAT_RX_NO_RESOURCE 1078
#define IDC_STAT_RX_CRC_ERROR 1079
#define IDC_STAT_RX_SUCCESS 1080
#define IDC_STAT_RTS_FAIL 1081
#define IDC_STAT_RTS_SUCCESS 1082
#define IDC_STAT_TX_ACK_FAIL 1083
#define IDC_STAT_RESET 1084
#define IDC_STAT_TX_GROUP 1179
#define IDC_STAT_TX_SUCCESS_LABEL 1180
#define IDC_STAT_TX_NO_RETRY_LABEL 1181
#define IDC_STAT_TX_RETRY_LABEL 1182
#define IDC_STAT_TX_ACK_FAIL_LABEL 1183
#define IDC_STAT_RTS_SUCCESS_LABEL 1184
#define IDC_STAT_RTS_FAIL_LABEL 1185
#define IDC_STAT_RX_GROUP 1186
#define IDC_STAT_RX_SUCCESS_LABEL 1187
#define IDC_STAT_RX_CRC_ERROR_LABEL 1188
#define IDC_STAT_RX_NO_RESOURCE_LABEL 1189
#define IDC_STAT_RX_DUPLICATE_LABEL 1190

// About page (IDD_ABOUT_PAGE): values and labels.
#define IDC_ABOUT_DRIVER_VERSION 1052
#define IDC_ABOUT_UTILITY_VERSION 1053
#define IDC_ABOUT_DRIVER_DATE 1055
#define IDC_ABOUT_UTILITY_DATE 1056
#define IDC_ABOUT_EEPROM_VERSION 1057
#define IDC_ABOUT_FIRMWARE_VERSION 1058
#define IDC_ABOUT_MAC 1059
#define IDC_ABOUT_GATEWAY 1060
#define IDC_ABOUT_IP 1061
#define IDC_ABOUT_MASK 1062
#define IDC_ABOUT_WEB_LINK 1063
#define IDC_ABOUT_LEGAL 1085
#define IDC_ABOUT_UTILITY_VERSION_LABEL 1173
#define IDC_ABOUT_UTILITY_DATE_LABEL 1174
#define IDC_ABOUT_DRIVER_VERSION_LABEL 1175
#define IDC_ABOUT_DRIVER_DATE_LABEL 1176
#define IDC_ABOUT_EEPROM_LABEL 1177
#define IDC_ABOUT_MAC_LABEL 1178
#define IDC_ABOUT_IP_LABEL 1179
#define IDC_ABOUT_FIRMWARE_LABEL 1180
#define IDC_ABOUT_MASK_LABEL 1181
#define IDC_ABOUT_GATEWAY_LABEL 1182

// Advanced page (IDD_ADVANCE_PAGE).
#define IDC_ADV_MODE_LABEL 1212
#define IDC_ADV_MODE 1107
#define IDC_ADV_PROTECTION_LABEL 1207
#define IDC_ADV_PROTECTION 1118
#define IDC_ADV_TX_RATE 1113
#define IDC_ADV_REGION_GROUP 1227
#define IDC_ADV_REGION_BG_LABEL 1239
#define IDC_ADV_REGION_BG 1000
#define IDC_ADV_REGION_A_LABEL 1240
#define IDC_ADV_REGION_A 1001
#define IDC_ADV_TX_BURST 1109
#define IDC_ADV_TCP_WINDOW 1119
#define IDC_ADV_FAST_ROAMING 1117
#define IDC_ADV_ROAM_THRESHOLD 1106
#define IDC_ADV_ROAM_DBM 1219
#define IDC_ADV_RADIO 1006
#define IDC_ADV_RADIO_BITMAP 1105
#define IDC_ADV_CCX 1112
#define IDC_ADV_CCKM 1110
#define IDC_ADV_RADIO_MEASUREMENTS 1114
#define IDC_ADV_NON_SERVING 1115
#define IDC_ADV_LIMIT 1220
#define IDC_ADV_LIMIT_LABEL 1224
#define IDC_ADV_LIMIT_UNIT 1225
#define IDC_ADV_QOS 1116
#define IDC_ADV_AUTH_STATUS 1291
#define IDC_ADV_APPLY 1111
// ... the HT Physical Mode group: each pair (or three) of radios is one group, its first WS_GROUP
#define IDC_ADV_HT_GROUP 4268
#define IDC_ADV_HT_MODE_LABEL 3281
#define IDC_ADV_HT_MM 3282
#define IDC_ADV_HT_GF 1283
#define IDC_ADV_HT_BW_LABEL 3269
#define IDC_ADV_HT_BW_20 3273
#define IDC_ADV_HT_BW_AUTO 3274
#define IDC_ADV_HT_GI_LABEL 3270
#define IDC_ADV_HT_GI_LONG 4275
#define IDC_ADV_HT_GI_AUTO 4276
#define IDC_ADV_HT_STBC_LABEL 3271
#define IDC_ADV_HT_STBC_NONE 3277
#define IDC_ADV_HT_STBC_AUTO 1278
#define IDC_ADV_HT_MCS_LABEL 3272
#define IDC_ADV_HT_MCS 1279
#define IDC_ADV_HT_RATE 1280
#define IDC_ADV_HT_EXT_LABEL 1284
#define IDC_ADV_HT_EXT_NONE 1285
#define IDC_ADV_HT_EXT_ABOVE 1286
#define IDC_ADV_HT_EXT_BELOW 1287

// QoS page (IDD_QOS_PAGE): the peer's MAC address is six edits of one byte each.
#define IDC_QOS_WMM 1264
#define IDC_QOS_WMM_SETUP 1276
#define IDC_QOS_APSD 1251
#define IDC_QOS_POWERSAVE 1266
#define IDC_QOS_DLS 1250
#define IDC_QOS_DLS_SETUP 1259
#define IDC_QOS_MAC1 1253
#define IDC_QOS_MAC2 1258
#define IDC_QOS_MAC3 1260
#define IDC_QOS_MAC4 1261
#define IDC_QOS_MAC5 1262
#define IDC_QOS_MAC6 1263
#define IDC_QOS_TIMEOUT 1255
#define IDC_QOS_SEC 1269
#define IDC_QOS_LINK_SETUP 1256
#define IDC_QOS_TEAR_DOWN 1268
#define IDC_QOS_DLS_LIST 1267
#define IDC_QOS_DIRECT_LINK_GROUP 1275
#define IDC_QOS_DLS_SETUP_GROUP 1249
#define IDC_QOS_DLS_STATUS_GROUP 1257
#define IDC_QOS_MAC_LABEL 1252

// Power-save dialog of the QoS page (IDD_POWERSAVE_DLG).
#define IDC_PS_AC_BK 1242
#define IDC_PS_AC_BE 1243
#define IDC_PS_AC_VI 1244
#define IDC_PS_AC_VO 1245
#define IDC_PS_APPLY 1111

// 802.11n page (IDD_BLOCKACK_PAGE).
#define IDC_BA_RECIPIENT_LIST 3256
#define IDC_BA_ORIGINATOR_LIST 3257
#define IDC_BA_ORIGINATOR_GROUP 3263
#define IDC_BA_RECIPIENT_GROUP 3264
#define IDC_BA_POLICY_MANUAL 5242
#define IDC_BA_POLICY_AUTO 5243
#define IDC_BA_DENSITY_LABEL 1282
#define IDC_BA_DENSITY 1281
#define IDC_BA_MPDU 4260
#define IDC_BA_AMSDU_GROUP 3254
#define IDC_BA_AMSDU 3258
#define IDC_BA_AMSDU_3839 3262
#define IDC_BA_AMSDU_7935 3265
#define IDC_BA_SMPS_GROUP 1255
#define IDC_BA_SM_ENABLE 4267
#define IDC_BA_SMPS_STATIC 4266
#define IDC_BA_SMPS_DYNAMIC 3268
#define IDC_BA_ORI_ADD 4244
#define IDC_BA_ORI_DELETE 1247
#define IDC_BA_ORI_DELETE_ENTRY 3248
#define IDC_BA_REC_ADD 3275
#define IDC_BA_REC_DELETE 3276
#define IDC_BA_REC_DELETE_ENTRY 1277
#define IDC_BA_APPLY 4259

// Block-ack add and delete dialogs (IDD_ADDBA_DLG, IDD_DELBA_DLG).
#define IDC_BADLG_TID_LABEL 1265
#define IDC_BADLG_TID 3259
#define IDC_BADLG_BSSIDS_LABEL 3267
#define IDC_BADLG_BSSIDS 4242
#define IDC_ADDBA_WINDOW_LABEL 3266
#define IDC_ADDBA_WINDOW 4243

// Setting Register page (IDD_REGSET_PAGE). Values and offsets are hexadecimal, the BBP id and
// the R17 bounds and step decimal.
#define IDC_REG_MAC_OFFSET 1096
#define IDC_REG_MAC_VALUE 1087
#define IDC_REG_MAC_QUERY 1090
#define IDC_REG_MAC_SET 1093
#define IDC_REG_EEPROM_OFFSET 3107
#define IDC_REG_EEPROM_VALUE 3108
#define IDC_REG_EEPROM_QUERY 4109
#define IDC_REG_EEPROM_SET 4110
#define IDC_REG_BBP_ID 1097
#define IDC_REG_BBP_VALUE 1088
#define IDC_REG_BBP_QUERY 1091
#define IDC_REG_BBP_SET 1094
#define IDC_REG_BBP_TUNING 1239
#define IDC_REG_BBP_TUNING_SET 1106
#define IDC_REG_RF_GROUP 1233
#define IDC_REG_RF_R1_LABEL 1234
#define IDC_REG_RF_R2_LABEL 1235
#define IDC_REG_RF_R3_LABEL 1236
#define IDC_REG_RF_R4_LABEL 1237
#define IDC_REG_RF_HEX_LABEL 1238
#define IDC_REG_RF_R1 1100
#define IDC_REG_RF_R2 1104
#define IDC_REG_RF_R3 1105
#define IDC_REG_RF_R4 1089
#define IDC_REG_RF_TUNING 1232
#define IDC_REG_RF_SET 1095
// ... the R17 tuning, hidden by the template
#define IDC_REG_R17_LOWER 1101
#define IDC_REG_R17_UPPER 1103
#define IDC_REG_R17_STEP 1099
#define IDC_REG_R17_MAX 1102
#define IDC_REG_R17_QUERY 1092
#define IDC_REG_R17_SET 1098

// Run-period dialog (IDD_RUNLOOP_DLG): the template disables all but the three limits.
#define IDC_RUN_PERIOD 1159
#define IDC_RUN_LOG_COUNT 1160
#define IDC_RUN_CPU 1161
#define IDC_RUN_USE_LINE 1162
#define IDC_RUN_USE_LOG 1163
#define IDC_RUN_LINE_COUNT 1164
#define IDC_RUN_TX_LIMIT 1165
#define IDC_RUN_RX_LIMIT 1166
#define IDC_RUN_TXRX_LIMIT 1167

// Profile page (IDD_PROFILE_PAGE).
#define IDC_PROFILE_ADD 1032
#define IDC_PROFILE_DELETE 1033
#define IDC_PROFILE_EDIT 1034
#define IDC_PROFILE_ACTIVATE 1035
#define IDC_PROFILE_LIST 1059
#define IDC_PROFILE_GROUP 1199

// System Configuration page of the profile editor (IDD_SYSCONFIG_PAGE).
#define IDC_SC_POWERSAVE_GROUP 1200
#define IDC_SC_CAM_RADIO 1016
#define IDC_SC_PSM_RADIO 1017
#define IDC_SC_CAM_ON_AC_CHECK 1066
#define IDC_SC_PREAMBLE_LABEL 1092
#define IDC_SC_PREAMBLE_COMBO 1027
#define IDC_SC_RTS_CHECK 1069
#define IDC_SC_RTS_SLIDER 1028
#define IDC_SC_RTS_EDIT 1067
#define IDC_SC_FRAG_CHECK 1070
#define IDC_SC_FRAG_SLIDER 1029
#define IDC_SC_FRAG_EDIT 1068
#define IDC_SC_CHANNEL_LABEL 1073
#define IDC_SC_CHANNEL_COMBO 1032
#define IDC_SC_PROFILE_NAME_LABEL 1215
#define IDC_SC_PROFILE_NAME_EDIT 1061
#define IDC_SC_SSID_LABEL 1216
#define IDC_SC_SSID_COMBO 1062
#define IDC_SC_NETWORK_TYPE_LABEL 1201
#define IDC_SC_NETWORK_TYPE_COMBO 1031
#define IDC_SC_TX_POWER_LABEL 1202
#define IDC_SC_TX_POWER_COMBO 1030
#define IDC_SC_RTS_MIN_LABEL 1300
#define IDC_SC_RTS_MAX_LABEL 1301
#define IDC_SC_FRAG_MIN_LABEL 1302
#define IDC_SC_FRAG_MAX_LABEL 1303

// Authentication and Security page of the profile editor (IDD_AUTHSECU_PAGE).
#define IDC_AS_AUTH_LABEL 1203
#define IDC_AS_AUTH_COMBO 1012
#define IDC_AS_ENCRYPT_LABEL 1204
#define IDC_AS_ENCRYPT_COMBO 1111
#define IDC_AS_PSK_LABEL 1205
#define IDC_AS_PSK_EDIT 1109
#define IDC_AS_WEP_GROUP 1115
#define IDC_AS_KEY1_RADIO 1062
#define IDC_AS_KEY2_RADIO 1063
#define IDC_AS_KEY3_RADIO 1064
#define IDC_AS_KEY4_RADIO 1065
#define IDC_AS_KEY1_TYPE 1116
#define IDC_AS_KEY2_TYPE 1117
#define IDC_AS_KEY3_TYPE 1118
#define IDC_AS_KEY4_TYPE 1119
#define IDC_AS_KEY1_HEX 1120
#define IDC_AS_KEY1_ASCII 1121
#define IDC_AS_KEY2_HEX 1122
#define IDC_AS_KEY2_ASCII 1123
#define IDC_AS_KEY3_HEX 1124
#define IDC_AS_KEY3_ASCII 1125
#define IDC_AS_KEY4_HEX 1126
#define IDC_AS_KEY4_ASCII 1127
#define IDC_AS_WEP_HINT 1240
#define IDC_AS_SHOW_PASSWORD 1241
#define IDC_AS_USE_8021X_CHECK 1260
#define IDC_AS_8021X_SETTING 1128
#define IDC_AS_ENABLE_8021X 1172
#define IDC_AS_LEAP_USER_LABEL 1400
#define IDC_AS_LEAP_USER_EDIT 1130
#define IDC_AS_LEAP_PASSWORD_LABEL 1401
#define IDC_AS_LEAP_PASSWORD_EDIT 1131
#define IDC_AS_LEAP_WEP_RADIO 1219
#define IDC_AS_LEAP_TKIP_RADIO 1067
#define IDC_AS_LEAP_AES_RADIO 1220

// 802.1X Authentication page (IDD_8021X_AUTH_PAGE).
#define IDC_DA_METHOD_LABEL 1214
#define IDC_DA_METHOD_COMBO 1144
#define IDC_DA_RESUME_LABEL 1154
#define IDC_DA_RESUME_COMBO 1227
#define IDC_DA_ID_LABEL 1157
#define IDC_DA_ID_EDIT 1130
#define IDC_DA_PASSWORD_LABEL 1158
#define IDC_DA_PASSWORD_EDIT 1131
#define IDC_DA_WINDOWS_LOGON_CHECK 1132 // kept hidden: nothing shows it
#define IDC_DA_CLIENT_CERT_CHECK 1133
#define IDC_DA_MORE 1134
#define IDC_DA_ISSUED_TO 1146
#define IDC_DA_ISSUED_BY 1147
#define IDC_DA_EXPIRED_ON 1148
#define IDC_DA_FRIENDLY_NAME 1149
#define IDC_DA_TUNNEL_GROUP 1150
#define IDC_DA_PROTOCOL_LABEL 1151
#define IDC_DA_PROTOCOL_COMBO 1137
#define IDC_DA_TUNNEL_ID_LABEL 1152
#define IDC_DA_TUNNEL_ID_EDIT 1135
#define IDC_DA_TUNNEL_PASSWORD_LABEL 1153
#define IDC_DA_TUNNEL_PASSWORD_EDIT 1136
#define IDC_DA_PASSWORD_MODE_GROUP 1226
#define IDC_DA_SOFT_TOKEN_RADIO 1224
#define IDC_DA_STATIC_PASSWORD_RADIO 1228
#define IDC_DA_USE_PAC_CHECK 1138
#define IDC_DA_PAC_IMPORT 1139
#define IDC_DA_PAC_REMOVE 1140
#define IDC_DA_PAC_PATH 1155
#define IDC_DA_PROVISION_CHECK 1141
#define IDC_DA_PROVISION_LABEL 1156
#define IDC_DA_PROVISION_COMBO 1142

// 802.1X CA Server page (IDD_8021X_CASERVER_PAGE).
#define IDC_CA_CHAIN_CHECK 1141
#define IDC_CA_ISSUER_LABEL 1154
#define IDC_CA_ISSUER_COMBO 1140
#define IDC_CA_INTERMEDIATE_CHECK 1135
#define IDC_CA_SERVER_NAME_LABEL 1155
#define IDC_CA_SERVER_NAME_EDIT 1139
#define IDC_CA_EXACT_RADIO 1136
#define IDC_CA_DOMAIN_RADIO 1138

// Certificate selection dialog (IDD_SELCERT_DIALOG).
#define IDC_SELCERT_LIST 1143

// One-time-password dialog (IDD_PEAP_SETTING_DLG).
#define IDC_PEAP_ID_LABEL 1152
#define IDC_PEAP_ID_EDIT 1135
#define IDC_PEAP_PASSWORD_LABEL 1153
#define IDC_PEAP_PASSWORD_EDIT 1136
