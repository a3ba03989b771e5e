#include "adapter/radio/TxRateWord.h"

#include <gtest/gtest.h>

namespace
{

WORD MakeWord(int phyMode, int code, int is40 = 0, int shortGi = 0, int stbc = 0)
{
    return static_cast<WORD>((phyMode << 14) | (stbc << 9) | (shortGi << 8) | (is40 << 7) | code);
}

struct DecodeCase
{
    const char* what;
    WORD word;
    double rate;
    int isHt;
};

TEST(TxRateWordTest, FieldsOfTheWord)
{
    TxRateWord w = {MakeWord(2, 0x55, 1, 1, 2)};
    EXPECT_EQ(w.RateCode(), 0x55);
    EXPECT_EQ(w.Is40MHz(), 1);
    EXPECT_EQ(w.IsShortGi(), 1);
    EXPECT_EQ(w.Stbc(), 2);
    EXPECT_EQ(w.PhyMode(), 2);
    EXPECT_TRUE(w.IsHt());

    // Bits 11-13 are not read.
    TxRateWord unused = {static_cast<WORD>(0x3800 | 5)};
    EXPECT_EQ(unused.RateCode(), 5);
    EXPECT_EQ(unused.PhyMode(), TXRATE_PHY_CCK);
    EXPECT_EQ(unused.Stbc(), 0);
}

TEST(TxRateWordTest, DecodesEachPhyMode)
{
    CHTTable table;
    table.BuildTables();
    const DecodeCase cases[] = {
        {"zeroed answer", 0x0000, 1.0, 0},
        {"CCK 1", MakeWord(0, 1), 2.0, 0},
        {"CCK 2", MakeWord(0, 2), 5.5, 0},
        {"CCK 3", MakeWord(0, 3), 11.0, 0},
        {"CCK 8", MakeWord(0, 8), 1.0, 0},
        {"CCK 9", MakeWord(0, 9), 2.0, 0},
        {"CCK 10", MakeWord(0, 10), 5.5, 0},
        {"CCK 11", MakeWord(0, 11), 11.0, 0},
        {"CCK 4", MakeWord(0, 4), 0.0, 0},
        {"CCK 7", MakeWord(0, 7), 0.0, 0},
        {"CCK 12", MakeWord(0, 12), 0.0, 0},
        {"CCK ignores width and guard", MakeWord(0, 3, 1, 1), 11.0, 0},
        {"OFDM 0", MakeWord(1, 0), 6.0, 0},
        {"OFDM 1", MakeWord(1, 1), 9.0, 0},
        {"OFDM 4", MakeWord(1, 4), 24.0, 0},
        {"OFDM 7", MakeWord(1, 7), 54.0, 0},
        {"OFDM 8", MakeWord(1, 8), 0.0, 0},
        {"OFDM 127", MakeWord(1, 127), 0.0, 0},
        {"HT 20/800 MCS 0", MakeWord(2, 0), 6.5, 1},
        {"HT 40/400 MCS 15", MakeWord(2, 15, 1, 1), 300.0, 1},
        {"HT 20/400 MCS 12", MakeWord(2, 12, 0, 1), 86.667, 1},
        {"HT 40/800 MCS 33", MakeWord(2, 33, 1, 0), 39.0, 1},
        {"HT 20 MCS 32", MakeWord(2, 32), 0.0, 1},
        {"HT MCS 16", MakeWord(2, 16), 0.0, 1},
        {"HT with STBC", MakeWord(2, 7, 0, 0, 1), 65.0, 1},
        {"mode 3 as mode 2", MakeWord(3, 15, 1, 1), 300.0, 1},
        {"mode 3 MCS 16", MakeWord(3, 16), 0.0, 1},
    };
    for (const DecodeCase& c : cases)
    {
        double rate = -1;
        int isHt = -1;
        DecodeTxRateWord(table, c.word, rate, isHt);
        EXPECT_EQ(rate, c.rate) << c.what;
        EXPECT_EQ(isHt, c.isHt) << c.what;
    }
}

TEST(TxRateWordTest, HtWordWithAnUnbuiltTableGivesZero)
{
    CHTTable table;
    double rate = -1;
    int isHt = 0;
    DecodeTxRateWord(table, MakeWord(2, 7), rate, isHt);
    EXPECT_EQ(rate, 0.0);
    EXPECT_EQ(isHt, 1);
}

} // namespace
