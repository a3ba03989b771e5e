#include "adapter/radio/ChannelFrequencyTable.h"

#include <mutex>

CHANNEL_FREQUENCY_TABLE ChannelFrequencyTable = {CHANNEL_FREQUENCY_ROWS,
                                                 {
                                                     // 2.4 GHz
                                                     {1, 2412000},
                                                     {2, 2417000},
                                                     {3, 2422000},
                                                     {4, 2427000},
                                                     {5, 2432000},
                                                     {6, 2437000},
                                                     {7, 2442000},
                                                     {8, 2447000},
                                                     {9, 2452000},
                                                     {10, 2457000},
                                                     {11, 2462000},
                                                     {12, 2467000},
                                                     {13, 2472000},
                                                     {14, 2484000},
                                                     // 5 GHz
                                                     {34, 5170000},
                                                     {36, 5180000},
                                                     {38, 5190000},
                                                     {40, 5200000},
                                                     {42, 5210000},
                                                     {44, 5220000},
                                                     {46, 5230000},
                                                     {48, 5240000},
                                                     {52, 5260000},
                                                     {56, 5280000},
                                                     {60, 5300000},
                                                     {64, 5320000},
                                                     {100, 5500000},
                                                     {104, 5520000},
                                                     {108, 5540000},
                                                     {112, 5560000},
                                                     {116, 5580000},
                                                     {120, 5600000},
                                                     {124, 5620000},
                                                     {128, 5640000},
                                                     {132, 5660000},
                                                     {136, 5680000},
                                                     {140, 5700000},
                                                     {149, 5745000},
                                                     {153, 5765000},
                                                     {157, 5785000},
                                                     {161, 5805000},
                                                     {165, 5825000},
                                                     // 4.9 GHz (Japan)
                                                     {184, 4920000},
                                                     {188, 4940000},
                                                     {192, 4960000},
                                                     {196, 4980000},
                                                     // J8, J12, J16: completed at start
                                                     {0, 0},
                                                     {0, 0},
                                                     {0, 0},
                                                 }};

void CompleteChannelFrequencyTable()
{
    static std::once_flag once;
    std::call_once(once,
                   []
                   {
                       const CHANNEL_FREQUENCY kJapanRows[3] = {
                           {208, 5040000}, {212, 5060000}, {216, 5080000}};
                       for (int i = 0; i < 3; i++)
                           ChannelFrequencyTable.Rows[46 + i] = kJapanRows[i];
                   });
}

namespace
{

INT RowCount()
{
    INT nCount = ChannelFrequencyTable.nCount;
    return nCount < 0 ? 0 : nCount > CHANNEL_FREQUENCY_ROWS ? CHANNEL_FREQUENCY_ROWS : nCount;
}

} // namespace

INT ChannelToFrequency(INT nChannel)
{
    for (INT i = 0; i < RowCount(); i++)
    {
        if (ChannelFrequencyTable.Rows[i].nChannel == nChannel)
            return ChannelFrequencyTable.Rows[i].nFrequency;
    }
    return 0;
}

INT FrequencyToChannel(INT nFrequency)
{
    for (INT i = 0; i < RowCount(); i++)
    {
        if (ChannelFrequencyTable.Rows[i].nFrequency == nFrequency)
            return ChannelFrequencyTable.Rows[i].nChannel;
    }
    return 0;
}
