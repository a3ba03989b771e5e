#include "machine/SettingsFile.h"

#include "machine/ParsedFile.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct Limits
{
    int count = 0;
};

std::string formatLimits(const Limits& l)
{
    return "count " + std::to_string(l.count) + "\n";
}

Limits parseLimits(const std::string& text)
{
    Limits l;
    machine::ForEachSetting(text,
                            [&](const std::string& keyword, std::istream& words)
                            {
                                if (keyword == "count")
                                    words >> l.count;
                            });
    return l;
}

const machine::SettingsFile<Limits> kLimits{"test/limits.txt", formatLimits, parseLimits};

TEST(SettingsFile, AChangeWritesOnlyWhatDiffers)
{
    testing_support::TempMachine m;
    const auto& mc = m.machine();
    // A change on a machine without the file makes it, even when it keeps the defaults.
    kLimits.Change(mc, [](Limits&) {});
    auto version = machine::VersionOf(kLimits.Path(mc));
    ASSERT_TRUE(version);
    kLimits.Change(mc, [](Limits& l) { l.count = 0; });
    EXPECT_EQ(machine::VersionOf(kLimits.Path(mc)), version) << "the same text is not rewritten";
    kLimits.Change(mc, [](Limits& l) { l.count = 3; });
    EXPECT_NE(machine::VersionOf(kLimits.Path(mc)), version);
    EXPECT_EQ(kLimits.Load(mc).count, 3);
}

} // namespace
