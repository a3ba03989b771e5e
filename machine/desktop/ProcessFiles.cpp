#include "machine/desktop/ProcessFiles.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/desktop/Desktop.h"
#include "machine/desktop/RuntimeFolder.h"

#include <algorithm>
#include <charconv>

namespace machine::desktop
{

// Titles, class names and tips are bytes; the fields of a line are kept apart by escaping the
// separators and every other control byte.
std::string EscapeText(std::string_view text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text)
    {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (byte < 0x20 || byte == 0x7F)
        {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        }
        else
            out += c;
    }
    return out;
}

namespace detail
{

std::string OwnFileText(std::string_view header, const std::vector<std::string>& lines)
{
    std::string data(header);
    for (const auto& line : lines)
    {
        data += line;
        data += '\n';
    }
    return data;
}

bool WriteOwnFile(const std::filesystem::path& dir, std::string_view header,
                  const std::vector<std::string>& lines)
{
    auto path = dir / std::to_string(::getpid());
    std::error_code ec;
    if (lines.empty())
    {
        std::filesystem::remove(path, ec);
        return !ec;
    }
    machine::CreateFolders(dir, ec);
    return WriteFileAtomically(path, OwnFileText(header, lines), FileAccess::Everyone);
}

std::vector<ProcessFile> ReadProcessFiles(const Machine& machine, const std::filesystem::path& dir,
                                          std::string_view header)
{
    SweepGoneProcesses(machine);
    std::vector<int> pids;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    {
        std::string name = it->path().filename().string();
        int pid = LeadingPid(name);
        if (pid != 0 && name == std::to_string(pid))
            pids.push_back(pid);
    }
    std::sort(pids.begin(), pids.end());
    std::vector<ProcessFile> files;
    for (int pid : pids)
    {
        auto data = ReadWholeFile(dir / std::to_string(pid));
        if (!data || std::string_view(*data).substr(0, header.size()) != header)
            continue;
        ProcessFile file{pid, {}};
        std::string_view rest = std::string_view(*data).substr(header.size());
        for (auto eol = rest.find('\n'); eol != std::string_view::npos; eol = rest.find('\n'))
        {
            file.lines.emplace_back(rest.substr(0, eol));
            rest.remove_prefix(eol + 1);
        }
        files.push_back(std::move(file));
    }
    return files;
}

std::optional<std::vector<std::string_view>> SplitFields(std::string_view line, std::size_t count)
{
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < count)
    {
        auto tab = line.find('\t');
        if (tab == std::string_view::npos)
            return std::nullopt;
        fields.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    fields.push_back(line);
    return fields;
}

std::optional<std::string> UnescapeText(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '\\')
        {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i])
        {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'x':
        {
            unsigned value = 0;
            if (text.size() - i < 3)
                return std::nullopt;
            auto [ptr, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
            if (ec != std::errc() || ptr != text.data() + i + 3)
                return std::nullopt;
            out += static_cast<char>(value);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

} // namespace detail
} // namespace machine::desktop
