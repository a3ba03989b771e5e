#pragma once
// The profile editor's System Configuration and Authentication and Security pages: their
// dialog templates and strings.

#include "platform/Windows.h"

#include <map>
#include <string>

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
#define IDS_SC_TXPOWER_AUTO 1310 // to 1316: the seven transmit-power texts in list order
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
#define IDS_AS_WEP_HINT 1346 // to 1349: the hint for default key 1 to 4
#define IDS_AS_SHOW_PASSWORD 1350
#define IDS_AS_8021X_SETTING 1351
#define IDS_AS_WEP_GROUP 1352
#define IDS_AS_USE_8021X 1353
#define IDS_AS_DISABLE_8021X 1354
#define IDS_AS_KEY1 1355 // to 1358: "Key#1" to "Key#4"
#define IDS_AS_HEX 1360
#define IDS_AS_ASCII 1361

void RegisterProfilePagesTemplates();
void AddProfilePagesStrings(std::map<UINT, std::string>& strings);
