#pragma once
// The Statistics page's dialog templates and strings.

#include "platform/Windows.h"

#include <map>
#include <string>

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

void RegisterStatisticTemplates();
void AddStatisticStrings(std::map<UINT, std::string>& strings);
