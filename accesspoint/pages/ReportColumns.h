#pragma once
// The columns of the station pages' report lists, and the refresh timer those pages run while
// they are active.

#include "platform/Windows.h"

#define STATION_PAGE_TIMER_ID 1
#define STATION_PAGE_PERIOD 2000

struct ReportColumn
{
    UINT nTitle; // string id
    int nTenths; // width factor in tenths of the list's width / 10
};

// Grid lines, full-row select and info tips, then the columns left-aligned in order: each
// (list width / 10, remainder dropped) × factor wide, truncated.
void InitReportColumns(CListCtrl& list, const ReportColumn* pColumns, int nCount);
