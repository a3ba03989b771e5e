#pragma once
// The machine's journal as a system test reads it, through `vnmachine log all --json`: every
// log's lines in the one order their shared sequence gives, so that a test can check the order
// of what a program did across the driver, the WLAN service, the registry and the rest.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testing_support
{

struct JournalEntry
{
    std::uint64_t seq = 0;
    std::uint64_t time_ms = 0;
    std::string log;  // the log's path in the machine ("wlan/log.txt")
    std::string text; // the line
};

// What a step of an order looks for: a line of a log whose name matches `log` and whose text
// matches `text` (ECMAScript expressions, found anywhere in the name or the line, without regard
// to case: hexadecimal bytes are written either way).
struct JournalStep
{
    std::string what; // how a failure names it ("the profile stored")
    std::string log;
    std::string text;
};

class Journal
{
public:
    // The journal of the machine at that folder, as the machine tool gives it.
    static Journal Read(const std::filesystem::path& machineDir);

    const std::vector<JournalEntry>& lines() const { return m_lines; }
    // The number of the last line; 0 when there is none. A mark to look after.
    std::uint64_t lastSeq() const { return m_lines.empty() ? 0 : m_lines.back().seq; }

    // The first line after `afterSeq` that the step looks for.
    std::optional<JournalEntry> first(const JournalStep& step, std::uint64_t afterSeq = 0) const;
    // Every such line.
    std::vector<JournalEntry> all(const JournalStep& step, std::uint64_t afterSeq = 0) const;

    // Succeeds when each step's first line after `afterSeq` is there and comes after the first
    // line of the step before it: what happens first among the steps happens in their order.
    // A failure names the step missing or out of place, with the lines found.
    ::testing::AssertionResult inOrder(const std::vector<JournalStep>& steps,
                                       std::uint64_t afterSeq = 0) const;

private:
    std::vector<JournalEntry> m_lines;
};

} // namespace testing_support
