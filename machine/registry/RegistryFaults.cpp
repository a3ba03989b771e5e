#include "machine/registry/RegistryFaults.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/KeptPath.h"
#include "machine/MachineLock.h"
#include "machine/ParsedFile.h"

#include <charconv>
#include <sys/stat.h>

namespace machine::registry
{
namespace
{

struct OperationNameEntry
{
    Operation operation;
    const char* name;
};

constexpr OperationNameEntry kOperations[] = {
    {Operation::Open, "open"}, {Operation::Create, "create"}, {Operation::Query, "query"},
    {Operation::Set, "set"},   {Operation::Delete, "delete"}, {Operation::Enumerate, "enumerate"},
};

template <class T> bool parseNumber(std::string_view s, T& out)
{
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && ptr == s.data() + s.size();
}

std::vector<Fault> parseFaults(const std::string& text)
{
    std::vector<Fault> faults;
    std::size_t start = 0;
    while (start < text.size())
    {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::vector<std::string_view> fields;
        std::size_t at = 0;
        while (fields.size() < 4)
        {
            std::size_t tab = line.find('\t', at);
            fields.push_back(line.substr(at, tab == std::string_view::npos ? line.npos : tab - at));
            if (tab == std::string_view::npos)
                break;
            at = tab + 1;
        }
        if (fields.size() != 4)
            continue;
        Fault f;
        auto op = ParseOperation(fields[0]);
        auto key = ParseKeyPath(fields[1]);
        if (!op || !key || !parseNumber(fields[2], f.error) || !parseNumber(fields[3], f.remaining))
            continue;
        if (f.remaining < kAlways || f.remaining == 0)
            continue;
        f.operation = *op;
        f.key = std::move(*key);
        faults.push_back(std::move(f));
    }
    return faults;
}

std::string formatFaults(const std::vector<Fault>& faults)
{
    std::string out;
    for (const auto& f : faults)
        out += std::string(OperationName(f.operation)) + "\t" + FormatKeyPath(f.key) + "\t" +
               std::to_string(f.error) + "\t" + std::to_string(f.remaining) + "\n";
    return out;
}

std::vector<Fault> readFaults(const Machine& machine)
{
    auto text = ReadWholeFile(FaultFilePath(machine));
    return text ? parseFaults(*text) : std::vector<Fault>{};
}

bool writeFaults(const Machine& machine, const std::vector<Fault>& faults)
{
    std::error_code ec;
    if (faults.empty())
    {
        std::filesystem::remove(FaultFilePath(machine), ec);
        return !ec;
    }
    machine::CreateFolders(FaultFilePath(machine).parent_path(), ec);
    return WriteFileAtomically(FaultFilePath(machine), formatFaults(faults), FileAccess::Everyone);
}

} // namespace

const char* OperationName(Operation operation)
{
    for (const auto& e : kOperations)
        if (e.operation == operation)
            return e.name;
    return "?";
}

std::optional<Operation> ParseOperation(std::string_view name)
{
    for (const auto& e : kOperations)
        if (EqualNoCase(name, e.name))
            return e.operation;
    return std::nullopt;
}

std::filesystem::path FaultFilePath(const Machine& machine)
{
    return machine.root() / "faults" / "registry";
}

bool InjectFault(const Machine& machine, Operation operation, const KeyPath& key,
                 std::uint32_t error, int times)
{
    if (times == 0 || times < kAlways)
        return false;
    MachineLock lock(machine);
    std::vector<Fault> faults = readFaults(machine);
    std::erase_if(faults,
                  [&](const Fault& f) { return f.operation == operation && SamePath(f.key, key); });
    faults.push_back(Fault{operation, key, error, times});
    return writeFaults(machine, faults);
}

bool ClearFaults(const Machine& machine)
{
    MachineLock lock(machine);
    return writeFaults(machine, {});
}

std::vector<Fault> ListFaults(const Machine& machine)
{
    MachineLock lock(machine);
    return readFaults(machine);
}

std::optional<std::uint32_t> TakeFault(const Machine& machine, Operation operation,
                                       const KeyPath& key)
{
    // Every registry call asks.
    const std::filesystem::path& path = KeptPath(machine, [&] { return FaultFilePath(machine); });
    if (!VersionOf(path))
        return std::nullopt; // the usual case: nothing injected, and no parse
    MachineLock lock(machine);
    std::vector<Fault> faults = readFaults(machine);
    for (auto it = faults.begin(); it != faults.end(); ++it)
    {
        if (it->operation != operation || !SamePath(it->key, key))
            continue;
        std::uint32_t error = it->error;
        if (it->remaining != kAlways)
        {
            if (--it->remaining == 0)
                faults.erase(it);
            writeFaults(machine, faults);
        }
        return error;
    }
    return std::nullopt;
}

} // namespace machine::registry
