#include "machine/registry/RegistryFaults.h"

#include "machine/FileStore.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace reg = machine::registry;

namespace
{

TEST(RegistryFaults, OnceNTimesAndAlways)
{
    testing_support::TempMachine m;
    auto key = *reg::ParseKeyPath("HKLM\\SOFTWARE\\X");
    auto other = *reg::ParseKeyPath("HKLM\\SOFTWARE\\Y");
    ASSERT_TRUE(reg::InjectFault(m.machine(), reg::Operation::Set, key, 5, 1));
    ASSERT_TRUE(reg::InjectFault(m.machine(), reg::Operation::Query, key, 1018, 3));
    ASSERT_TRUE(reg::InjectFault(m.machine(), reg::Operation::Open, key, 2, reg::kAlways));

    auto lower = *reg::ParseKeyPath("hklm\\software\\x");
    EXPECT_EQ(reg::TakeFault(m.machine(), reg::Operation::Set, lower), 5u);
    EXPECT_EQ(reg::TakeFault(m.machine(), reg::Operation::Set, lower), std::nullopt);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(reg::TakeFault(m.machine(), reg::Operation::Query, key), 1018u);
    EXPECT_EQ(reg::TakeFault(m.machine(), reg::Operation::Query, key), std::nullopt);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(reg::TakeFault(m.machine(), reg::Operation::Open, key), 2u);
    EXPECT_EQ(reg::TakeFault(m.machine(), reg::Operation::Open, other), std::nullopt);
    EXPECT_EQ(reg::TakeFault(m.machine(), reg::Operation::Create, key), std::nullopt);

    auto left = reg::ListFaults(m.machine());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].remaining, reg::kAlways);
    ASSERT_TRUE(reg::ClearFaults(m.machine()));
    EXPECT_EQ(reg::TakeFault(m.machine(), reg::Operation::Open, key), std::nullopt);
    EXPECT_FALSE(reg::InjectFault(m.machine(), reg::Operation::Open, key, 2, 0));
}

TEST(RegistryFaults, AHandEditedFileKeepsItsReadableLines)
{
    testing_support::TempMachine m;
    std::filesystem::create_directories(reg::FaultFilePath(m.machine()).parent_path());
    ASSERT_TRUE(machine::WriteFileAtomically(reg::FaultFilePath(m.machine()),
                                             "garbage\n"
                                             "open\tHKLM\\A\tfive\t1\n"
                                             "nosuch\tHKLM\\A\t5\t1\n"
                                             "open\tHKNOWHERE\\A\t5\t1\n"
                                             "open\tHKLM\\A\t5\t0\n"
                                             "enumerate\tHKLM\\A\t259\t2\r\n"
                                             "open\tHKLM\\A\t5"));
    auto faults = reg::ListFaults(m.machine());
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].operation, reg::Operation::Enumerate);
    EXPECT_EQ(faults[0].error, 259u);
    EXPECT_EQ(faults[0].remaining, 2);
}

} // namespace
