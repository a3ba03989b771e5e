#include "uplink/AdapterRecords.h"

AdapterRecord g_AdapterRecords[MAX_ADAPTER_RECORDS];
int g_nAdapterCount = 0;
CString g_strWanName;
CString g_strWirelessName;
