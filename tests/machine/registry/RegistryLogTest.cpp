// The registry's log: a line for every write and delete, with the exact bytes written, among the
// machine's other logs.

#include "machine/registry/RegistryLog.h"

#include "machine/LineLog.h"
#include "machine/LogJournal.h"
#include "machine/registry/Registry.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
namespace reg = machine::registry;

namespace
{

TEST(RegistryLog, EveryWriteAndDeleteIsALineWithItsTypeAndBytes)
{
    testing_support::TempMachine m;
    const auto& mm = m.machine();
    const std::string key = "HKLM\\SOFTWARE\\Tessaryn\\Log";
    ASSERT_TRUE(reg::CreateKey(mm, key));
    ASSERT_TRUE(reg::SetDword(mm, key, "OpMode", 1));
    ASSERT_TRUE(reg::SetString(mm, key, "", "ok"));
    ASSERT_TRUE(reg::SetValue(mm, key, "Blob", reg::kTypeBinary, "\x00\xff\x10"s));
    ASSERT_TRUE(reg::SetValue(mm, key, "Quote\"d", reg::kTypeBinary, ""));
    ASSERT_TRUE(reg::DeleteValue(mm, key, "OpMode"));
    EXPECT_FALSE(reg::DeleteValue(mm, key, "OpMode")); // nothing deleted: nothing logged
    ASSERT_TRUE(reg::DeleteKeyTree(mm, key));

    const std::string k = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tessaryn\\Log]";
    const std::vector<std::string> expected = {
        "create-key " + k,
        "set " + k + " \"OpMode\" REG_DWORD 01000000",
        "set " + k + " @ REG_SZ 6f6b00",
        "set " + k + " \"Blob\" REG_BINARY 00ff10",
        "set " + k + " \"Quote\\\"d\" REG_BINARY -",
        "delete-value " + k + " \"OpMode\"",
        "delete-key " + k,
    };
    EXPECT_EQ(machine::ReadLogLines(mm, reg::RegistryLogPath(mm)), expected);

    // In the machine's one journal, in order; a new machine's own set-up is not in it.
    auto journal = machine::ReadJournal(mm);
    ASSERT_EQ(journal.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(journal[i].log, "registry.log");
        EXPECT_EQ(journal[i].text, expected[i]);
    }
}

} // namespace
