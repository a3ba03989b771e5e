#pragma once
// Resource identifiers of TessarynAp: each dialog template, icon, menu, command, string and
// control has one name, here. Control ids count within their own template only; the other
// kinds are unique within their kind.

// ---------------------------------------------------------------------------------------------
// Shared with the wireless client

// The adapter selection dialog (IDD_SELCARD_DIALOG) and its controls.
#include "resources/common/SelCardIds.h"

// ---------------------------------------------------------------------------------------------
// Dialog templates

#define IDD_AUTHSECU_DIALOG 132 // the Config page's security dialog
#define IDD_HIDE_DIALOG 149     // the monitor window, never shown
#define IDD_LINKSTATUS_PAGE 133
#define IDD_STATISTIC_PAGE 135
#define IDD_ABOUT_PAGE 136
#define IDD_REGSET_PAGE 175
#define IDD_MACTABLE_PAGE 190
#define IDD_EVENTLOG_PAGE 191
#define IDD_ACCESSCONTROL_PAGE 192
#define IDD_CONFIG_PAGE 194
#define IDD_WDS_PAGE 196
#define IDD_BLOCKACK_PAGE 218

// ---------------------------------------------------------------------------------------------
// Icons

// The notification-area icon in each state; the sheet's title bar shows the same icon.
#define IDI_SIGNAL_NORMAL 156 // signal 41 to 70 %
#define IDI_SIGNAL_WEAK 159   // signal 40 % or less
#define IDI_SIGNAL_GOOD 161   // signal above 70 %
#define IDI_DISCONNECTED 163  // at start, and the sheet's own icon
#define IDI_NO_ADAPTER 179

// ---------------------------------------------------------------------------------------------
// Menus and commands

// The notification-area menu: its popup "_TRSY_" carries the three commands below.
#define IDR_TRAY_MENU 217

// ID_TRAY_LAUNCH and ID_TRAY_EXIT are the commands both programs' menus carry; a second
// instance of either program posts ID_TRAY_LAUNCH to the running one.
#include "resources/common/TrayIds.h"
#define ID_TRAY_SWITCH_STATION 0x800A

// The notification-area icon's id in the shell's table (an id of the icon, not a resource).
#define TRAY_ICON_ID 161

// ---------------------------------------------------------------------------------------------
// Strings

// The program and its sheet.
#define IDS_SHEET_CAPTION 102
#define IDS_NOT_READY 182

// Page captions.
#define IDS_PAGE_ACCESS_CONTROL 186
#define IDS_PAGE_WDS 187
#define IDS_PAGE_STATISTICS 188
#define IDS_PAGE_ABOUT 189
#define IDS_PAGE_MAC_TABLE 190
#define IDS_PAGE_EVENT_LOG 191
#define IDS_PAGE_11N 325
#define IDS_PAGE_LINK_STATUS 354

// Tips of the notification-area icon.
#define IDS_TIP_DISCONNECTED 200
#define IDS_TIP_GOOD 202
#define IDS_TIP_WEAK 203
#define IDS_TIP_NORMAL 204
#define IDS_TIP_NOT_EXIST 205

// Texts several pages and dialogs show.
#define IDS_OK 138
#define IDS_CANCEL 139
#define IDS_MAC_ADDRESS 201

// The Config page.
#define IDS_CONFIG_NO_SSID 195
#define IDS_CONFIG_REGION_GROUP 301
#define IDS_CONFIG_IDLE_LABEL 341
#define IDS_CONFIG_ALLOW_BW40 349

// The security dialog: its title, labels, lists and messages.
#define IDS_SECU_REKEY_LABEL 53
#define IDS_SECU_TKIP 119
#define IDS_SECU_AES 120
#define IDS_SECU_WPA_PSK 123
#define IDS_SECU_NOT_USE 129
#define IDS_SECU_WEP 130
#define IDS_SECU_AUTH_LABEL 144
#define IDS_SECU_WEP_GROUP 147
#define IDS_SECU_KEY1 148
#define IDS_SECU_KEY2 149
#define IDS_SECU_KEY3 150
#define IDS_SECU_KEY4 151
#define IDS_SECU_OPEN 152
#define IDS_SECU_SHARED 153
#define IDS_SECU_HEX 154
#define IDS_SECU_ASCII 155
#define IDS_SECU_TITLE 192
#define IDS_SECU_PSK_LABEL 212
#define IDS_SECU_ENCRYPT_LABEL 213
#define IDS_SECU_REKEY_SECONDS 216
#define IDS_SECU_REKEY_KPACKETS 217
#define IDS_SECU_WEP_LENGTH 241
#define IDS_SECU_PSK_LENGTH 252
#define IDS_SECU_WPA2_PSK 298
#define IDS_SECU_WPA_WPA2_PSK 299
#define IDS_SECU_BOTH 300
#define IDS_SECU_WEP_NOTE 306
#define IDS_SECU_SHOW_PASSWORD 308

// The Access Control page: buttons, labels, policies and messages.
// ---------------------------------------------------------------------------------------------
// The Statistics, About, 11n, register, WDS and Link Status pages

#define IDD_ADD_BLOCKACK_DIALOG 219
#define IDD_DELETE_BLOCKACK_DIALOG 220

// Statistics page (IDD_STATISTIC_PAGE): texts and controls.
#define IDS_STAT_TX_GROUP 25
#define IDS_STAT_TX_SUCCESS 26
#define IDS_STAT_TX_NO_RETRY 27
#define IDS_STAT_TX_RETRY 28
#define IDS_STAT_TX_ACK_FAIL 29
#define IDS_STAT_RTS_SUCCESS 30
#define IDS_STAT_RTS_FAIL 31
#define IDS_STAT_RX_GROUP 32
#define IDS_STAT_RX_SUCCESS 33
#define IDS_STAT_RX_CRC_ERROR 34
#define IDS_STAT_RX_NO_RESOURCE 35
#define IDS_STAT_RX_DUPLICATE 36
#define IDS_STAT_RESET 37
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
#define IDC_STAT_TX_GROUP 1178
#define IDC_STAT_TX_SUCCESS_LABEL 1179
#define IDC_STAT_TX_NO_RETRY_LABEL 1180
#define IDC_STAT_TX_RETRY_LABEL 1181
#define IDC_STAT_TX_ACK_FAIL_LABEL 1182
#define IDC_STAT_RTS_SUCCESS_LABEL 1183
#define IDC_STAT_RTS_FAIL_LABEL 1184
#define IDC_STAT_RX_GROUP 1185
#define IDC_STAT_RX_SUCCESS_LABEL 1186
#define IDC_STAT_RX_CRC_ERROR_LABEL 1187
#define IDC_STAT_RX_NO_RESOURCE_LABEL 1188
#define IDC_STAT_RX_DUPLICATE_LABEL 1189

// About page (IDD_ABOUT_PAGE): texts and controls.
#define IDS_ABOUT_DRIVER_VERSION 2
#define IDS_ABOUT_DATE 3
#define IDS_ABOUT_MAC 4
#define IDS_ABOUT_UTILITY_VERSION 5
#define IDS_ABOUT_EEPROM 296
#define IDS_ABOUT_FIRMWARE 309
#define IDS_ABOUT_IP 350
#define IDS_ABOUT_MASK 351
#define IDS_ABOUT_GATEWAY 352
#define IDC_ABOUT_DRIVER_VERSION 1052
#define IDC_ABOUT_UTILITY_VERSION 1053
#define IDC_ABOUT_EEPROM_VERSION 1054
#define IDC_ABOUT_DRIVER_DATE 1055
#define IDC_ABOUT_UTILITY_DATE 1056
#define IDC_ABOUT_MAC 1057
#define IDC_ABOUT_FIRMWARE_VERSION 1058 // hidden
#define IDC_ABOUT_WEB_LINK 1063
#define IDC_ABOUT_LEGAL 1085
#define IDC_ABOUT_UTILITY_VERSION_LABEL 1173
#define IDC_ABOUT_UTILITY_DATE_LABEL 1174
#define IDC_ABOUT_DRIVER_VERSION_LABEL 1175
#define IDC_ABOUT_DRIVER_DATE_LABEL 1176
#define IDC_ABOUT_EEPROM_LABEL 1178
#define IDC_ABOUT_FIRMWARE_LABEL 1179 // hidden
#define IDC_ABOUT_IP_LABEL 1219
#define IDC_ABOUT_IP 1220
#define IDC_ABOUT_MAC_LABEL 1221
#define IDC_ABOUT_MASK_LABEL 1223
#define IDC_ABOUT_GATEWAY_LABEL 1224
#define IDC_ABOUT_MASK 1225
#define IDC_ABOUT_GATEWAY 1226

// 11n page (IDD_BLOCKACK_PAGE) and its two dialogs.
#define IDS_BA_MAC 327
#define IDS_BA_SELECT_BSSID 333
#define IDC_BA_ORI_ADD 1136
#define IDC_BA_ORI_DELETE 1137
#define IDC_BA_SM_STATIC 1216
#define IDC_BA_POLICY_MANUAL 1242
#define IDC_BA_POLICY_AUTO 1243
#define IDC_BA_ORI_DELETE_ENTRY 1248 // hidden
#define IDC_BA_REC_LIST 1256
#define IDC_BA_ORI_LIST 1257
#define IDC_BA_AMSDU 1258
#define IDC_BA_APPLY 1259
#define IDC_BA_MPDU 1260
#define IDC_BA_AMSDU_3839 1262
#define IDC_BA_AMSDU_7935 1265
#define IDC_BA_SM_ENABLE 1267
#define IDC_BA_SM_DYNAMIC 1268
#define IDC_BA_REC_ADD 1275 // hidden
#define IDC_BA_REC_DELETE 1276
#define IDC_BA_REC_DELETE_ENTRY 1277 // hidden
#define IDC_BA_DENSITY 1281
#define IDC_BADLG_BSSID_LIST 1242
#define IDC_BADLG_WINDOW_SIZE 1243
#define IDC_BADLG_TID 1259
#define IDC_BADLG_TID_LABEL 1265
#define IDC_BADLG_WINDOW_LABEL 1266
#define IDC_BADLG_LIST_LABEL 1267

// Register page (IDD_REGSET_PAGE).
#define IDC_REG_MAC_VALUE 1087
#define IDC_REG_BBP_VALUE 1088
#define IDC_REG_RF_VALUE 1089
#define IDC_REG_MAC_QUERY 1090
#define IDC_REG_BBP_QUERY 1091
#define IDC_REG_R17_QUERY 1092
#define IDC_REG_MAC_SET 1093
#define IDC_REG_BBP_SET 1094
#define IDC_REG_RF_SET 1095 // hidden
#define IDC_REG_MAC_OFFSET 1096
#define IDC_REG_BBP_ID 1097
#define IDC_REG_R17_SET 1098
#define IDC_REG_R17_STEP 1099
#define IDC_REG_ERROR_MIC 1100
#define IDC_REG_R17_LOWER 1101
#define IDC_REG_R17_MAX 1102
#define IDC_REG_R17_UPPER 1103
#define IDC_REG_MIC_SECONDS 1104
#define IDC_REG_EEPROM_OFFSET 1107
#define IDC_REG_EEPROM_VALUE 1108
#define IDC_REG_EEPROM_QUERY 1109
#define IDC_REG_EEPROM_SET 1110

// WDS page (IDD_WDS_PAGE): its own texts, and those it shares with the Access Control page.
#define IDS_WDS_POLICY_LABEL 229
#define IDS_WDS_LIST_LABEL 230
#define IDS_WDS_ENABLE 231
#define IDS_WDS_MAC_LABEL 232
#define IDS_WDS_NOTE1 233
#define IDS_WDS_NOTE2 234
#define IDS_ACL_DELETE 218
#define IDS_ACL_REMOVE_ALL 219
#define IDS_ACL_APPLY 220
#define IDS_ACL_MODIFY 221
#define IDS_ACL_POLICY_LABEL 222
#define IDS_ACL_LIST_LABEL 223
#define IDS_ACL_ADD 224
#define IDS_ACL_DISABLE 225
#define IDS_ACL_ALLOW_ALL 226
#define IDS_ACL_REJECT_ALL 227
#define IDS_ACL_INVALID_MAC 248
#define IDS_ACL_MULTICAST_MAC 249
#define IDS_ACL_DUPLICATED_MAC 250
#define IDS_ACL_ERROR_CAPTION 254

// The Mac Table page's columns and power-save texts.
#define IDS_MACTABLE_POWER_SAVE 239
#define IDS_MACTABLE_AID 240
#define IDS_MACTABLE_STATUS 348
#define IDS_YES 255
#define IDS_NO 256

// The Event Log page: its columns, button and the texts of the event codes 0 to 5.
#define IDS_EVENTLOG_CLEAR 236
#define IDS_EVENTLOG_TIME 237
#define IDS_EVENTLOG_MESSAGE 238
#define IDS_EVENT_RESTART 242
#define IDS_EVENT_ASSOCIATED 243
#define IDS_EVENT_LEFT 244
#define IDS_EVENT_AGED_OUT 245
#define IDS_EVENT_COUNTERMEASURE 246
#define IDS_EVENT_INVALID_PSK 247

// ---------------------------------------------------------------------------------------------
// Controls of the Config page (IDD_CONFIG_PAGE)

#define IDC_CONFIG_TX_POWER_COMBO 1030
#define IDC_CONFIG_CHANNEL_COMBO 1032
#define IDC_CONFIG_SSID_EDIT 1062
#define IDC_CONFIG_SECURITY 1143
#define IDC_CONFIG_USE_MAC 1144
#define IDC_CONFIG_MODE_COMBO 1149
#define IDC_CONFIG_BG_PROTECTION_COMBO 1150
#define IDC_CONFIG_NO_FORWARDING_CHECK 1151
#define IDC_CONFIG_HIDE_SSID_CHECK 1152
#define IDC_CONFIG_BEACON_EDIT 1153
#define IDC_CONFIG_TX_BURST_CHECK 1154 // hidden
#define IDC_CONFIG_BG_REGION_COMBO 1155
#define IDC_CONFIG_DEFAULT 1156
#define IDC_CONFIG_APPLY 1157
#define IDC_CONFIG_RTS_EDIT 1158       // hidden, disabled
#define IDC_CONFIG_FRAG_EDIT 1159      // hidden, disabled
#define IDC_CONFIG_PREAMBLE_COMBO 1160 // hidden
#define IDC_CONFIG_RATE_COMBO 1161
#define IDC_CONFIG_A_REGION_COMBO 1162
#define IDC_CONFIG_TURBO_RATE_CHECK 1169   // hidden, disabled
#define IDC_CONFIG_SHORT_SLOT_CHECK 1170   // hidden
#define IDC_CONFIG_AUTO_CHANNEL_CHECK 1171 // hidden
#define IDC_CONFIG_PREAMBLE_LABEL 1200     // hidden
#define IDC_CONFIG_SSID_LABEL 1201
#define IDC_CONFIG_MODE_LABEL 1202
#define IDC_CONFIG_CHANNEL_LABEL 1203
#define IDC_CONFIG_BEACON_LABEL 1204
#define IDC_CONFIG_RATE_LABEL 1205
#define IDC_CONFIG_TX_POWER_LABEL 1206
#define IDC_CONFIG_BG_PROTECTION_LABEL 1207
#define IDC_CONFIG_RTS_LABEL 1208  // hidden
#define IDC_CONFIG_FRAG_LABEL 1209 // hidden
#define IDC_CONFIG_REGION_GROUP 1211
#define IDC_CONFIG_BG_REGION_LABEL 1212
#define IDC_CONFIG_A_REGION_LABEL 1213
#define IDC_CONFIG_IDLE_EDIT 1216
#define IDC_CONFIG_IDLE_LABEL 1217
#define IDC_CONFIG_ALLOW_BW40_CHECK 1218
// The 802.11n group: every control from IDC_CONFIG_HT_FIRST to IDC_CONFIG_HT_LAST.
#define IDC_CONFIG_HT_FIRST 1268
#define IDC_CONFIG_HT_GROUP 1268
#define IDC_CONFIG_STBC_LABEL 1269
#define IDC_CONFIG_BW_LABEL 1270
#define IDC_CONFIG_GI_LABEL 1271
#define IDC_CONFIG_MCS_LABEL 1272
#define IDC_CONFIG_BW_20 1273
#define IDC_CONFIG_BW_40 1274
#define IDC_CONFIG_GI_LONG 1275
#define IDC_CONFIG_GI_AUTO 1276
#define IDC_CONFIG_STBC_NONE 1277
#define IDC_CONFIG_STBC_AUTO 1278
#define IDC_CONFIG_MCS_COMBO 1279
#define IDC_CONFIG_TX_RATE_TEXT 1280
#define IDC_CONFIG_HT_MODE_LABEL 1281
#define IDC_CONFIG_HT_MM 1282
#define IDC_CONFIG_HT_GF 1283
#define IDC_CONFIG_EXT_CHANNEL_LABEL 1284
#define IDC_CONFIG_EXT_CHANNEL_COMBO 1288
#define IDC_CONFIG_HT_LAST 1288

// ---------------------------------------------------------------------------------------------
// Controls of the security dialog (IDD_AUTHSECU_DIALOG)

#define IDC_SECU_AUTH_COMBO 1012
#define IDC_SECU_PSK_EDIT 1053
#define IDC_SECU_KEY1_RADIO 1062
#define IDC_SECU_KEY2_RADIO 1063
#define IDC_SECU_KEY3_RADIO 1064
#define IDC_SECU_KEY4_RADIO 1065
#define IDC_SECU_KEY1_TYPE 1110
#define IDC_SECU_ENCRYPT_COMBO 1111
#define IDC_SECU_KEY2_TYPE 1112
#define IDC_SECU_REKEY_EDIT 1113
#define IDC_SECU_KEY3_TYPE 1114
#define IDC_SECU_KEY4_TYPE 1115
#define IDC_SECU_RADIUS_IP 1117   // hidden
#define IDC_SECU_RADIUS_PORT 1118 // hidden
#define IDC_SECU_RADIUS_KEY 1119  // hidden
#define IDC_SECU_KEY1_HEX 1120
#define IDC_SECU_KEY2_HEX 1121
#define IDC_SECU_KEY3_HEX 1122
#define IDC_SECU_KEY4_HEX 1123
#define IDC_SECU_KEY1_ASCII 1124
#define IDC_SECU_KEY2_ASCII 1125
#define IDC_SECU_KEY3_ASCII 1126
#define IDC_SECU_KEY4_ASCII 1127
#define IDC_SECU_REKEY_UNIT 1130
#define IDC_SECU_WEP_GROUP 1131
#define IDC_SECU_AUTH_LABEL 1204
#define IDC_SECU_ENCRYPT_LABEL 1205
#define IDC_SECU_PSK_LABEL 1206
#define IDC_SECU_REKEY_LABEL 1207
#define IDC_SECU_WEP_NOTE 1214
#define IDC_SECU_SHOW_PASSWORD 1215

// ---------------------------------------------------------------------------------------------
// Controls of the Access Control page (IDD_ACCESSCONTROL_PAGE)

#define IDC_ACL_POLICY_COMBO 1132
#define IDC_ACL_MAC_EDIT 1135
#define IDC_ACL_ADD 1136
#define IDC_ACL_DELETE 1137
#define IDC_ACL_REMOVE_ALL 1138
#define IDC_ACL_LIST 1139
#define IDC_ACL_APPLY 1157
#define IDC_ACL_MODIFY 1164
#define IDC_ACL_CANCEL 1165
#define IDC_ACL_MODIFY_EDIT 1166
#define IDC_ACL_MAC_LABEL 1191
#define IDC_ACL_POLICY_LABEL 1195
#define IDC_ACL_LIST_LABEL 1196

// ---------------------------------------------------------------------------------------------
// Controls of the Mac Table (IDD_MACTABLE_PAGE) and Event Log (IDD_EVENTLOG_PAGE) pages

#define IDC_MACTABLE_LIST 1106
#define IDC_EVENTLOG_LIST 1107
#define IDC_EVENTLOG_CLEAR 1108
#define IDC_WDS_MAC_EDIT 1135
#define IDC_WDS_ADD 1136
#define IDC_WDS_DELETE 1137
#define IDC_WDS_REMOVE_ALL 1138
#define IDC_WDS_APPLY 1157
#define IDC_WDS_MODIFY 1164      // hidden until a row is edited
#define IDC_WDS_CANCEL 1165      // hidden until a row is edited
#define IDC_WDS_MODIFY_EDIT 1166 // hidden until a row is edited
#define IDC_WDS_ENABLE 1171
#define IDC_WDS_DISABLE 1172
#define IDC_WDS_LIST 1173
#define IDC_WDS_POLICY_LABEL 1190
#define IDC_WDS_MAC_LABEL 1191
#define IDC_WDS_LIST_LABEL 1192
#define IDC_WDS_NOTE1 1193
#define IDC_WDS_NOTE2 1194

// Link Status page (IDD_LINKSTATUS_PAGE): texts and controls.
#define IDS_LS_DISCONNECTED 110
#define IDS_LS_RF_OFF 111
#define IDS_LS_LINK_UP 353
#define IDS_LS_LINK_DOWN 355
#define IDS_LS_HW_RADIO_OFF 356
#define IDS_LS_CENTRAL_CHANNEL 365
#define IDC_LS_SIGNAL1 1040
#define IDC_LS_STATUS 1041
#define IDC_LS_CHANNEL 1042
#define IDC_LS_TX_RATE 1043
#define IDC_LS_RX_RATE 1044
#define IDC_LS_EXTRA_INFO 1048
#define IDC_LS_SIGNAL2 1050
#define IDC_LS_SIGNAL2_LABEL 1199
#define IDC_LS_MCS 1288
#define IDC_LS_SNR0 1289
#define IDC_LS_SNR1 1290
#define IDC_LS_SIGNAL3 3052
#define IDC_LS_SIGNAL3_LABEL 3200
#define IDC_LS_HT_GROUP 3283
#define IDC_LS_GI 3285
#define IDC_LS_BW 3286
#define IDC_LS_STBC 3287
