#pragma once
// The 802.11n rate table shared by the link-status and advanced pages: the data rate of a
// channel width, guard interval and MCS index, and the rate and width behind the advanced
// page's 0-14 rate index.

#include "platform/Windows.h"

#include <map>

class CHTTable
{
public:
    CHTTable();
    virtual ~CHTTable();

    // Fills both maps, the index table first. The owner calls it once from its OnInitDialog;
    // until then every lookup fails.
    void BuildTables();
    void BuildRateIndexTable();
    void BuildHtRateTable();

    // FALSE for an index outside 0-14 (or a row not built yet).
    BOOL LookupRateByIndex(int nIndex, double& dRate, int& nBandwidth) const;
    // is40MHz: non-zero for 40 MHz; shortGi: exactly 1 for the 400 ns guard interval, any other
    // value reads the 800 ns key. FALSE when there is no such rate.
    BOOL LookupHtRate(int is40MHz, int shortGi, int mcs, double& dRate) const;

    // index -> "rate,width" ("54.0,20")
    const std::map<int, CString>& GetRateIndexTable() const { return m_mapRateIndex; }
    // "width,guard,mcs" ("20,800,0") -> Mbps
    const std::map<CString, double>& GetHtRateMap() const { return m_mapHtRate; }

private:
    std::map<int, CString> m_mapRateIndex;
    std::map<CString, double> m_mapHtRate;
};
