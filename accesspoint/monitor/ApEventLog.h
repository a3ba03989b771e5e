#pragma once
// The station events the driver reports, kept for the Event Log page: at most 100, oldest
// first. The monitor window collects them every tick.

#include "platform/Windows.h"

// One event as the driver delivers it (16 bytes).
struct ApEventRecord
{
    FILETIME ftTime; // UTC
    BYTE abMac[6];   // the station
    WORD wEvent;     // the event code
};
static_assert(sizeof(ApEventRecord) == 16);

typedef CArray<ApEventRecord, ApEventRecord&> CApEventArray;

#define AP_EVENT_LOG_MAX 100

// The driver's answer to the event query: u32 count, u32 unused, then up to 10 records.
#define AP_EVENT_ANSWER_RECORDS 10
#define AP_EVENT_ANSWER_BYTES (8 + AP_EVENT_ANSWER_RECORDS * 16)

extern CApEventArray g_ApEventLog;
extern int g_nEventLogShown; // entries the Event Log page has listed already

// Appends the records of one answer of dwReturned bytes. The count is taken only as far as the
// buffer and the bytes returned hold records; the oldest entries make room beyond 100, and the
// page's count of listed entries drops by as many (not below 0).
void CollectApEvents(const BYTE* pAnswer, DWORD dwReturned);
