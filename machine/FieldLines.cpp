#include "machine/FieldLines.h"

namespace machine
{

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string HexText(const std::string& text)
{
    return radio::ToHex(std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string DescribeLineProblem(std::string_view kind, const std::filesystem::path& file,
                                const LineProblem& problem)
{
    std::string where = std::string(kind) + " " + file.string();
    if (problem.line != 0)
        where += ", line " + std::to_string(problem.line);
    return where + ": " + problem.what;
}

std::optional<std::pair<std::string_view, std::string_view>> SplitKey(std::string_view line)
{
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    if (line.empty())
        return std::nullopt;
    std::size_t n = 0;
    while (n < line.size() && !IsBlank(line[n]))
        ++n;
    return std::pair{line.substr(0, n), line.substr(n)};
}

} // namespace machine
