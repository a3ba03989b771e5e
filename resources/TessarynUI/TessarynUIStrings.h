#pragma once
// The string table of TessarynUI.

#include "platform/Windows.h"

#include <map>
#include <string>

#define IDS_SHEET_CAPTION 102
#define IDS_NOT_READY 176
#define IDS_PAGE_PROFILE 180
#define IDS_PAGE_LINK_STATUS 181
#define IDS_PAGE_SITE_SURVEY 182
#define IDS_PAGE_STATISTICS 183
#define IDS_PAGE_ABOUT 184
#define IDS_PAGE_ADVANCED 188
#define IDS_TIP_GOOD 199
#define IDS_TIP_DISCONNECTED 200
#define IDS_TIP_NORMAL 201
#define IDS_TIP_NOT_EXIST 202
#define IDS_TIP_WEAK 203
#define IDS_TIP_WEP_ERROR 313
#define IDS_PAGE_11N 375

const std::map<UINT, std::string>& TessarynUIStringTable();

// The string resource nID; empty when the table has none.
CString LoadText(UINT nID);
