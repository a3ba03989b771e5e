#include "adapter/radio/RegionChannels.h"

namespace
{

const ChannelRow kBgChannels[] = {
    {11, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    {13, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
    {2, {10, 11}},
    {4, {10, 11, 12, 13}},
    {1, {14}},
    {14, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
    {7, {3, 4, 5, 6, 7, 8, 9}},
    {9, {5, 6, 7, 8, 9, 10, 11, 12, 13}},
};

const ChannelRow kAChannels[] = {
    {13, {36, 40, 44, 48, 52, 56, 60, 64, 149, 153, 157, 161, 165}},
    {19, {36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140}},
    {8, {36, 40, 44, 48, 52, 56, 60, 64}},
    {8, {52, 56, 60, 64, 149, 153, 157, 161}},
    {5, {149, 153, 157, 161, 165}},
    {4, {149, 153, 157, 161}},
    {4, {36, 40, 44, 48}},
    {24, {36,  40,  44,  48,  52,  56,  60,  64,  100, 104, 108, 112,
          116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165}},
    {4, {52, 56, 60, 64}},
    {4, {34, 38, 42, 46}},
    {12, {34, 36, 38, 40, 42, 44, 46, 48, 52, 56, 60, 64}},
};

template <size_t N> const ChannelRow& RowOf(const ChannelRow (&table)[N], int nRegion)
{
    return nRegion >= 0 && nRegion < static_cast<int>(N) ? table[nRegion] : table[0];
}

} // namespace

const ChannelRow& BgRegionChannels(int nRegion)
{
    return RowOf(kBgChannels, nRegion);
}

const ChannelRow& ARegionChannels(int nRegion)
{
    return RowOf(kAChannels, nRegion);
}

void AppendChannelRow(CDWordArray& list, const ChannelRow& row)
{
    for (int i = 0; i < row.nCount; i++)
        list.Add(row.anChannel[i]);
}
