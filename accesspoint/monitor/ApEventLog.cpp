#include "accesspoint/monitor/ApEventLog.h"

#include <cstring>

void CollectApEvents(const BYTE* pAnswer, DWORD dwReturned)
{
    if (dwReturned < 8)
        return;
    DWORD dwCount = 0;
    memcpy(&dwCount, pAnswer, sizeof(dwCount));
    DWORD dwHeld = (dwReturned > AP_EVENT_ANSWER_BYTES ? AP_EVENT_ANSWER_BYTES : dwReturned) - 8;
    dwHeld /= sizeof(ApEventRecord);
    if (dwCount > dwHeld)
        dwCount = dwHeld;
    int nCount = static_cast<int>(dwCount);
    if (nCount == 0)
        return;

    int nSize = static_cast<int>(g_ApEventLog.GetSize());
    if (nSize + nCount > AP_EVENT_LOG_MAX)
    {
        int nDrop = nSize + nCount - AP_EVENT_LOG_MAX;
        if (nDrop > nSize)
            nDrop = nSize;
        g_ApEventLog.RemoveAt(0, nDrop);
        g_nEventLogShown -= nDrop;
        if (g_nEventLogShown < 0)
            g_nEventLogShown = 0;
    }
    for (int i = 0; i < nCount; i++)
    {
        ApEventRecord record;
        memcpy(&record, pAnswer + 8 + i * sizeof(ApEventRecord), sizeof(record));
        g_ApEventLog.Add(record);
    }
}
