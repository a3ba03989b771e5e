#include "accesspoint/pages/ReportColumns.h"

#include "resources/common/LoadText.h"

void InitReportColumns(CListCtrl& list, const ReportColumn* pColumns, int nCount)
{
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    CRect rcList;
    list.GetWindowRect(&rcList);
    int nTenth = rcList.Width() / 10;
    for (int i = 0; i < nCount; i++)
        list.InsertColumn(i, LoadText(pColumns[i].nTitle), LVCFMT_LEFT,
                          nTenth * pColumns[i].nTenths / 10);
}
