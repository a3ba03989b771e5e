#pragma once
// The Config page's trace of its 802.11n choices, for check builds of the driver: lines
// appended to "C:\test_HubDesk.txt" while g_nCheckBuild is 1, and nothing otherwise.

#include "platform/Windows.h"

#define CONFIG_TRACE_FILE "C:\\test_HubDesk.txt"

// pszFormat takes pszValue once ("%s").
void AppendConfigTrace(LPCSTR pszFormat, LPCSTR pszValue);
