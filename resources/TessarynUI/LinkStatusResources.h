#pragma once
// The Link Status page's dialog templates and strings.

#include "platform/Windows.h"

#include <map>
#include <string>

// Labels
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

// Words of the quality and signal rows
#define IDS_LS_GOOD 50
#define IDS_LS_NORMAL 51
#define IDS_LS_WEAK 52
// ... and of the noise row
#define IDS_LS_NOISE_STRONG 290
#define IDS_LS_NOISE_NORMAL 291
#define IDS_LS_NOISE_LOW 292

// The status line without a link
#define IDS_LS_DISCONNECTED 104
#define IDS_LS_RF_OFF 105

// Extra information: the driver's link-state codes 0 to 10 in order
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
#define IDS_LS_ICV_ERROR 311
#define IDS_LS_CENTRAL_CHANNEL 386

void RegisterLinkStatusTemplates();
void AddLinkStatusStrings(std::map<UINT, std::string>& strings);
