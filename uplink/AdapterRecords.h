#pragma once
// The connections UplinkPick lists, in listing order (record i belongs to list entry i), and
// the names of the two connections it shares.

#include "platform/Windows.h"

#define MAX_ADAPTER_RECORDS 10

struct AdapterRecord
{
    CString Name;
    CString Description;
    CString MAC;
    CString IP; // empty for a disconnected connection
};

extern AdapterRecord g_AdapterRecords[MAX_ADAPTER_RECORDS];
extern int g_nAdapterCount;

// The connection chosen as the Internet side, and the wireless adapter's own connection; both
// empty at start.
extern CString g_strWanName;
extern CString g_strWirelessName;
