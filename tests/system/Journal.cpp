#include "tests/system/Journal.h"

#include "tests/tools/ToolRun.h"

#include <nlohmann/json.hpp>

#include <regex>

namespace testing_support
{

namespace
{

bool matches(const JournalEntry& line, const JournalStep& step)
{
    const auto flags = std::regex::ECMAScript | std::regex::icase;
    return std::regex_search(line.log, std::regex(step.log, flags)) &&
           std::regex_search(line.text, std::regex(step.text, flags));
}

std::string describe(const JournalEntry& line)
{
    return "#" + std::to_string(line.seq) + " " + line.log + " " + line.text;
}

} // namespace

Journal Journal::Read(const std::filesystem::path& machineDir)
{
    Journal journal;
    const ToolRun run = RunVnmachineApart(machineDir, {"log", "all", "--json"});
    if (run.status != 0)
    {
        ADD_FAILURE() << "vnmachine log all --json: " << run.err;
        return journal;
    }
    const auto document = nlohmann::json::parse(run.out);
    for (const auto& line : document.at("lines"))
        journal.m_lines.push_back(
            {line.at("seq").get<std::uint64_t>(), line.at("time_ms").get<std::uint64_t>(),
             line.at("log").get<std::string>(), line.at("text").get<std::string>()});
    return journal;
}

std::optional<JournalEntry> Journal::first(const JournalStep& step, std::uint64_t afterSeq) const
{
    for (const auto& line : m_lines)
        if (line.seq > afterSeq && matches(line, step))
            return line;
    return std::nullopt;
}

std::vector<JournalEntry> Journal::all(const JournalStep& step, std::uint64_t afterSeq) const
{
    std::vector<JournalEntry> found;
    for (const auto& line : m_lines)
        if (line.seq > afterSeq && matches(line, step))
            found.push_back(line);
    return found;
}

::testing::AssertionResult Journal::inOrder(const std::vector<JournalStep>& steps,
                                            std::uint64_t afterSeq) const
{
    std::string found;
    std::optional<JournalEntry> before;
    for (const auto& step : steps)
    {
        const auto line = first(step, afterSeq);
        if (!line)
            return ::testing::AssertionFailure()
                   << "no line of " << step.what << " (" << step.log << ": " << step.text
                   << ") after #" << afterSeq << "\n"
                   << found;
        found += "  " + step.what + ": " + describe(*line) + "\n";
        if (before && line->seq <= before->seq)
            return ::testing::AssertionFailure()
                   << step.what << " comes before the step ahead of it\n"
                   << found;
        before = line;
    }
    return ::testing::AssertionSuccess();
}

} // namespace testing_support
