// The machine's journal of driver events and the faults a subscription meets, as every
// process reads them.

#include "machine/wmi/DriverEvents.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

namespace mwmi = machine::wmi;

TEST(DriverEventJournal, KeepsTheLatestBatchesWholeAndNumbersOn)
{
    testing_support::TempMachine m;
    EXPECT_EQ(mwmi::LastEventSeq(m.machine()), 0u);
    EXPECT_EQ(mwmi::RaiseDriverEvents(m.machine(), {}), 0u);
    EXPECT_EQ(
        mwmi::RaiseDriverEvents(m.machine(), {{"A Class\twith\nbreaks", true}, {"", false}, {}}),
        1u);
    auto first = mwmi::EventBatchesAfter(m.machine(), 0);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(first[0].objects.size(), 3u);
    EXPECT_EQ(first[0].objects[0].className, "A Classwithbreaks");
    EXPECT_FALSE(first[0].objects[1].classReadable);
    EXPECT_EQ(first[0].objects[2].className, mwmi::kDriverEventClass);

    for (int i = 0; i < 300; ++i)
        mwmi::RaiseDriverEvent(m.machine(), "E" + std::to_string(i));
    EXPECT_EQ(mwmi::LastEventSeq(m.machine()), 301u);
    auto kept = mwmi::EventBatchesAfter(m.machine(), 0);
    ASSERT_EQ(kept.size(), 256u);
    EXPECT_EQ(kept.front().seq, 46u);
    EXPECT_EQ(kept.back().objects[0].className, "E299");
    EXPECT_EQ(mwmi::EventBatchesAfter(m.machine(), 300).size(), 1u);
    EXPECT_TRUE(mwmi::EventBatchesAfter(m.machine(), 301).empty());
}

TEST(DriverEventJournal, FaultsAreUsedUpPerStep)
{
    testing_support::TempMachine m;
    mwmi::InjectWmiFailure(m.machine(), mwmi::WmiStep::Connect, 2, 0x8004100Eu);
    mwmi::InjectWmiFailure(m.machine(), mwmi::WmiStep::Subscribe, -1);
    EXPECT_EQ(mwmi::FormatWmiFaults(mwmi::LoadWmiFaults(m.machine())),
              "fail connect 2 2147749902\nfail query -1 2147500037\n");
    EXPECT_EQ(mwmi::TakeWmiFailure(m.machine(), mwmi::WmiStep::Initialize), std::nullopt);
    EXPECT_EQ(mwmi::TakeWmiFailure(m.machine(), mwmi::WmiStep::Connect), 0x8004100Eu);
    EXPECT_EQ(mwmi::TakeWmiFailure(m.machine(), mwmi::WmiStep::Connect), 0x8004100Eu);
    EXPECT_EQ(mwmi::TakeWmiFailure(m.machine(), mwmi::WmiStep::Connect), std::nullopt);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(mwmi::TakeWmiFailure(m.machine(), mwmi::WmiStep::Subscribe), 0x80004005u);
    mwmi::InjectWmiFailure(m.machine(), mwmi::WmiStep::Subscribe, 0);
    EXPECT_TRUE(mwmi::LoadWmiFaults(m.machine()).failures.empty());
    EXPECT_EQ(mwmi::ParseWmiStep("security"), mwmi::WmiStep::Security);
    EXPECT_EQ(mwmi::ParseWmiStep("Security"), std::nullopt);
}

} // namespace
