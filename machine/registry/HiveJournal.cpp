#include "machine/registry/HiveJournal.h"

#include "machine/registry/HiveText.h"

#include <algorithm>
#include <charconv>

namespace machine::registry
{
namespace
{

constexpr const char* kEol = "\r\n";
constexpr std::string_view kChangeMark = "; change ";
constexpr std::string_view kFoldMark = "; folded ";
constexpr std::uint64_t kFoldAtLeast = 16 * 1024;
constexpr std::uint64_t kFoldFraction = 4; // a quarter of the hive

std::string header(const KeyPath& key, bool remove)
{
    return (remove ? "[-" : "[") + FormatKeyPath(key) + "]" + kEol;
}

// Reads "N" or "N M" making up all of `s`.
bool readNumbers(std::string_view s, std::uint64_t* first, std::uint64_t* second)
{
    const char* p = s.data();
    const char* end = s.data() + s.size();
    auto [q, ec] = std::from_chars(p, end, *first);
    if (ec != std::errc() || q == p)
        return false;
    if (second == nullptr)
        return q == end;
    if (q == end || *q != ' ')
        return false;
    auto [r, ec2] = std::from_chars(q + 1, end, *second);
    return ec2 == std::errc() && r != q + 1 && r == end;
}

// Whether the text holds a line other than a blank or a comment: something a change was to do.
bool hasContent(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size())
    {
        std::size_t eol = text.find('\n', pos);
        std::string_view line =
            text.substr(pos, eol == std::string_view::npos ? text.npos : eol - pos);
        std::size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string_view::npos && line[first] != ';')
            return true;
        if (eol == std::string_view::npos)
            break;
        pos = eol + 1;
    }
    return false;
}

} // namespace

std::filesystem::path JournalPath(const Machine& machine)
{
    return machine.root() / "registry.journal";
}

std::string JournalHead()
{
    return std::string(kHiveSignature) + kEol +
           "; changes made after registry.reg, applied after it in order" + kEol + kEol;
}

std::string FormatJournalChange(const std::vector<HiveChange>& steps)
{
    std::string body;
    const KeyPath* open = nullptr; // the key the last header opened for its values
    for (const auto& step : steps)
    {
        switch (step.kind)
        {
        case HiveChange::Kind::CreateKey:
            body += header(step.key, false);
            open = &step.key;
            break;
        case HiveChange::Kind::DeleteKey:
            body += header(step.key, true);
            open = nullptr;
            break;
        case HiveChange::Kind::SetValue:
        case HiveChange::Kind::DeleteValue:
            if (open == nullptr || *open != step.key)
            {
                body += header(step.key, false);
                open = &step.key;
            }
            if (step.kind == HiveChange::Kind::SetValue)
                body += FormatValue(Value{step.name, step.type, step.data});
            else
                body += FormatValueName(step.name) + "=-";
            body += kEol;
            break;
        }
    }
    return body + std::string(kChangeMark) + std::to_string(body.size()) + kEol;
}

std::string FormatFoldMark(const FileIdentity& hive)
{
    return std::string(kFoldMark) + std::to_string(hive.inode) + " " + std::to_string(hive.size) +
           kEol;
}

JournalScan ScanJournal(std::string_view text, bool fromStart, std::size_t firstLine)
{
    JournalScan scan;
    std::size_t pos = 0;
    std::size_t line = firstLine; // the number of the line at pos
    if (fromStart && !text.empty())
    {
        const std::string signature = std::string(kHiveSignature);
        std::size_t eol = text.find('\n');
        std::string_view first = text.substr(0, eol == std::string_view::npos ? text.npos : eol);
        if (!first.empty() && first.back() == '\r')
            first.remove_suffix(1);
        if (eol == std::string_view::npos || first != signature)
        {
            scan.isJournal = false;
            return scan;
        }
        pos = scan.end = eol + 1;
        scan.lines = 1;
        ++line;
    }
    std::size_t start = pos; // where the next change may begin
    std::size_t startLine = line;
    auto closeAt = [&](std::size_t begin, std::size_t next)
    {
        if (begin > start && hasContent(text.substr(start, begin - start)))
            scan.leftOut.push_back(startLine);
        start = scan.end = next;
        startLine = line + 1;
        scan.lines = startLine - firstLine;
    };
    while (pos < text.size())
    {
        const std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos)
            break;
        std::string_view content = text.substr(pos, eol - pos);
        if (!content.empty() && content.back() == '\r')
            content.remove_suffix(1);
        const std::size_t next = eol + 1;
        std::uint64_t a = 0, b = 0;
        if (content.starts_with(kChangeMark) &&
            readNumbers(content.substr(kChangeMark.size()), &a, nullptr) && a <= pos - start)
        {
            const std::size_t begin = pos - static_cast<std::size_t>(a);
            std::string_view body = text.substr(begin, static_cast<std::size_t>(a));
            const auto bodyLines =
                static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n'));
            scan.changes.push_back({body, line - bodyLines});
            closeAt(begin, next);
        }
        else if (content.starts_with(kFoldMark) &&
                 readNumbers(content.substr(kFoldMark.size()), &a, &b))
        {
            scan.folded = FileIdentity{a, b};
            closeAt(pos, next);
        }
        pos = next;
        ++line;
    }
    if (hasContent(text.substr(start)))
        scan.unfinished = startLine;
    return scan;
}

std::uint64_t JournalFoldThreshold(std::uint64_t hiveBytes)
{
    return std::max(kFoldAtLeast, hiveBytes / kFoldFraction);
}

} // namespace machine::registry
