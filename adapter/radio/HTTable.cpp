#include "adapter/radio/HTTable.h"

#include <cstdlib>

namespace
{

struct RateIndexRow
{
    double dRate;
    int nBandwidth;
};

// Rows 5-9 repeat rows 0-4.
const RateIndexRow kRateIndexRows[15] = {{54.0, 20},  {81.0, 20},  {108.0, 20}, {121.5, 20},
                                         {135.0, 20}, {54.0, 20},  {81.0, 20},  {108.0, 20},
                                         {121.5, 20}, {135.0, 20}, {108.0, 40}, {162.0, 40},
                                         {216.0, 40}, {243.0, 40}, {270.0, 40}};

struct HtRateRow
{
    int nWidth;
    int nGuard;
    double dRates[16]; // MCS 0-7 one spatial stream, 8-15 two
};

// The rounding of each value is the one the pages show, so it is part of the table: at 20 MHz
// with the short guard interval the two-stream rates keep three decimals.
const HtRateRow kHtRateRows[4] = {{20,
                                   800,
                                   {6.5, 13.0, 19.5, 26.0, 39.0, 52.0, 58.5, 65.0, 13.0, 26.0, 39.0,
                                    52.0, 78.0, 104.0, 117.0, 130.0}},
                                  {20,
                                   400,
                                   {7.2, 14.4, 21.7, 28.9, 43.3, 57.8, 65.0, 72.2, 14.444, 28.889,
                                    43.333, 57.778, 86.667, 115.556, 130.0, 144.444}},
                                  {40,
                                   800,
                                   {13.5, 27.0, 40.5, 54.0, 81.0, 108.0, 121.5, 135.0, 27.0, 54.0,
                                    81.0, 108.0, 162.0, 216.0, 243.0, 270.0}},
                                  {40,
                                   400,
                                   {15.0, 30.0, 45.0, 60.0, 90.0, 120.0, 135.0, 150.0, 30.0, 60.0,
                                    90.0, 120.0, 180.0, 240.0, 270.0, 300.0}}};

// MCS 32 (duplicate 6 Mbps) and 33 exist at 40 MHz only.
struct HtExtraRow
{
    LPCSTR pszKey;
    double dRate;
};
const HtExtraRow kHtExtraRows[4] = {
    {"40,800,32", 6.0}, {"40,400,32", 6.7}, {"40,800,33", 39.0}, {"40,400,33", 43.3}};

} // namespace

CHTTable::CHTTable() = default;

CHTTable::~CHTTable() = default;

void CHTTable::BuildTables()
{
    BuildRateIndexTable();
    BuildHtRateTable();
}

void CHTTable::BuildRateIndexTable()
{
    for (int i = 0; i < 15; i++)
    {
        CString strRow;
        strRow.Format("%.1f,%d", kRateIndexRows[i].dRate, kRateIndexRows[i].nBandwidth);
        m_mapRateIndex[i] = strRow;
    }
}

void CHTTable::BuildHtRateTable()
{
    for (const HtRateRow& row : kHtRateRows)
    {
        for (int mcs = 0; mcs < 16; mcs++)
        {
            CString strKey;
            strKey.Format("%d,%d,%d", row.nWidth, row.nGuard, mcs);
            m_mapHtRate[strKey] = row.dRates[mcs];
        }
    }
    for (const HtExtraRow& row : kHtExtraRows)
        m_mapHtRate[CString(row.pszKey)] = row.dRate;
}

BOOL CHTTable::LookupRateByIndex(int nIndex, double& dRate, int& nBandwidth) const
{
    if (nIndex < 0 || nIndex > 14)
        return FALSE;
    std::map<int, CString>::const_iterator it = m_mapRateIndex.find(nIndex);
    if (it == m_mapRateIndex.end())
        return FALSE;
    const CString& strRow = it->second;
    int nComma = strRow.Find(',');
    if (nComma < 0)
        return FALSE;
    dRate = std::atof(strRow.Left(nComma));
    nBandwidth = std::atoi(strRow.Mid(nComma + 1));
    return TRUE;
}

BOOL CHTTable::LookupHtRate(int is40MHz, int shortGi, int mcs, double& dRate) const
{
    if (is40MHz == 0 && mcs == 32)
        return FALSE;
    CString strKey = is40MHz != 0 ? "40," : "20,";
    strKey += shortGi == 1 ? "400," : "800,";
    strKey.AppendFormat("%d", mcs);
    std::map<CString, double>::const_iterator it = m_mapHtRate.find(strKey);
    if (it == m_mapHtRate.end())
        return FALSE;
    dRate = it->second;
    return TRUE;
}
