#pragma once
// The Site Survey page's and the hidden-SSID dialog's templates and strings.

#include "platform/Windows.h"

#include <map>
#include <string>

#define IDS_SITE_RESCAN 13
#define IDS_SITE_CONNECT 14
#define IDS_SITE_ADD_PROFILE 15
// The list's column titles, SSID to Network Type.
#define IDS_SITE_COLUMN_FIRST 16
#define IDS_SITE_COLUMN_LAST 23
#define IDS_SITE_RESCANNING 53
#define IDS_SITE_DISCONNECTED 104
#define IDS_SITE_RF_OFF 105
#define IDS_SITE_CONNECTING 106
#define IDS_SITE_UNKNOWN 107
#define IDS_SITE_NO_SELECTION 109
#define IDS_SITE_CONNECTED 119
#define IDS_SITE_ADHOC 120
#define IDS_SITE_INFRASTRUCTURE 121
#define IDS_SITE_AUTO 122
#define IDS_SITE_NO_ENCRYPTION 123
#define IDS_SITE_WEP 124
#define IDS_HIDDEN_SSID_PROMPT 131
#define IDS_HIDDEN_SSID_OK 132
#define IDS_HIDDEN_SSID_CANCEL 133
#define IDS_SITE_ICV_ERROR 311

void RegisterSiteSurveyTemplates();
void AddSiteSurveyStrings(std::map<UINT, std::string>& strings);
