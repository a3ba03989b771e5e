#include "tools/vnmachine/RegCommand.h"

#include "machine/FileStore.h"
#include "machine/Machine.h"
#include "machine/registry/HiveText.h"
#include "machine/registry/Registry.h"
#include "machine/registry/RegistryFaults.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/MachineHandler.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <iterator>
#include <optional>

namespace reg = machine::registry;

namespace
{

struct ErrorName
{
    const char* name;
    std::uint32_t code;
};

constexpr ErrorName kErrorNames[] = {
    {"ERROR_FILE_NOT_FOUND", 2},    {"ERROR_ACCESS_DENIED", 5},       {"ERROR_INVALID_HANDLE", 6},
    {"ERROR_NOT_ENOUGH_MEMORY", 8}, {"ERROR_INVALID_PARAMETER", 87},  {"ERROR_MORE_DATA", 234},
    {"ERROR_NO_MORE_ITEMS", 259},   {"ERROR_CANTOPEN", 1011},         {"ERROR_CANTREAD", 1012},
    {"ERROR_CANTWRITE", 1013},      {"ERROR_REGISTRY_CORRUPT", 1015}, {"ERROR_KEY_DELETED", 1018},
    {"ERROR_GEN_FAILURE", 31},
};

std::optional<std::uint32_t> parseNumber(const std::string& text)
{
    std::uint32_t value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    {
        begin += 2;
        base = 16;
    }
    auto [ptr, ec] = std::from_chars(begin, end, value, base);
    if (ec != std::errc() || ptr != end || begin == end)
        return std::nullopt;
    return value;
}

std::optional<std::uint32_t> parseError(const std::string& text)
{
    for (const auto& e : kErrorNames)
        if (reg::EqualNoCase(text, e.name))
            return e.code;
    return parseNumber(text);
}

// Hex bytes from the arguments; separators "," " " ":" are ignored.
std::optional<std::string> parseBytes(std::vector<std::string>::const_iterator first,
                                      std::vector<std::string>::const_iterator last)
{
    std::string digits;
    for (auto it = first; it != last; ++it)
        for (char c : *it)
        {
            if (c == ',' || c == ' ' || c == ':')
                continue;
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return std::nullopt;
            digits += c;
        }
    if (digits.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    return bytes;
}

// Nullopt when the key is not a path of the registry; prints why.
std::optional<std::string> keyArgument(const std::string& text)
{
    if (!reg::ParseKeyPath(text))
    {
        std::cerr << "vnmachine reg: '" << text
                  << "' is not a registry key (HKEY_LOCAL_MACHINE\\..., HKCU\\...)\n";
        return std::nullopt;
    }
    return text;
}

std::string valueNameArgument(const std::string& text)
{
    return text == "@" ? "" : text;
}

std::string withLineFeeds(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

bool reportStore(const machine::Machine& m)
{
    for (const auto& w : reg::HiveLoadWarnings(m))
        std::cerr << "vnmachine reg: registry file, " << w << " (kept as it is)\n";
    std::string error = reg::HiveLoadError(m);
    if (!error.empty())
    {
        std::cerr << "vnmachine reg: " << m.hivePath().string() << ": " << error << "\n";
        return false;
    }
    return true;
}

int show(const machine::Machine& m, const Words& args)
{
    NeedWords(args, 0, 1);
    if (!reportStore(m))
        return 1;
    std::optional<std::string> text;
    if (args.size() == 1)
    {
        auto key = keyArgument(args[0]);
        if (!key)
            return 2;
        text = reg::ExportKeyText(m, *key);
        if (!text)
        {
            std::cerr << "vnmachine reg: no key " << *key << "\n";
            return 1;
        }
    }
    else
    {
        text = reg::ExportText(m);
        if (!text)
            return 1;
        // Without the signature line and the blank line after it.
        std::size_t start = text->find("\r\n\r\n");
        text = start == std::string::npos ? *text : text->substr(start + 4);
    }
    std::cout << withLineFeeds(*text);
    return 0;
}

int exportAll(const machine::Machine& m, const Words& args)
{
    NeedWords(args, 0, 1);
    if (!reportStore(m))
        return 1;
    auto text = reg::ExportText(m);
    if (!text)
        return 1;
    if (args.empty())
    {
        std::cout << *text;
        return std::cout.good() ? 0 : 1;
    }
    if (!machine::WriteFileAtomically(args[0], *text))
    {
        std::cerr << "vnmachine reg: cannot write " << args[0] << "\n";
        return 1;
    }
    return 0;
}

int import(const machine::Machine& m, const Words& args)
{
    NeedWords(args, 1);
    std::optional<std::string> text;
    if (args[0] == "-")
        text = std::string(std::istreambuf_iterator<char>(std::cin), {});
    else
        text = machine::ReadWholeFile(args[0]);
    if (!text)
    {
        std::cerr << "vnmachine reg: cannot read " << args[0] << "\n";
        return 1;
    }
    reg::ParseReport report = reg::ImportText(m, *text);
    for (const auto& w : report.warnings)
        std::cerr << "vnmachine reg: " << args[0] << ", " << w << " (skipped)\n";
    if (!report.ok)
    {
        std::cerr << "vnmachine reg: " << args[0] << ": " << report.error << "\n";
        return 1;
    }
    return 0;
}

int set(const machine::Machine& m, const Words& args)
{
    NeedWords(args, 3, kAnyMoreWords);
    auto key = keyArgument(args[0]);
    if (!key)
        return 2;
    std::string name = valueNameArgument(args[1]);
    const std::string& typeName = args[2];
    auto data = args.begin() + 3;
    std::size_t count = args.size() - 3;
    std::uint32_t type;
    std::string bytes;
    if (reg::EqualNoCase(typeName, "REG_SZ") || reg::EqualNoCase(typeName, "REG_EXPAND_SZ"))
    {
        NeedWords(args, 4);
        type = reg::EqualNoCase(typeName, "REG_SZ") ? reg::kTypeString : reg::kTypeExpandString;
        bytes = *data;
        bytes += '\0';
    }
    else if (reg::EqualNoCase(typeName, "REG_DWORD"))
    {
        auto number = count == 1 ? parseNumber(*data) : std::nullopt;
        if (!number)
        {
            std::cerr << "vnmachine reg: REG_DWORD needs one number\n";
            return 2;
        }
        type = reg::kTypeDword;
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((*number >> (8 * i)) & 0xFF);
    }
    else if (reg::EqualNoCase(typeName, "REG_MULTI_SZ"))
    {
        type = reg::kTypeMultiString;
        for (auto it = data; it != args.end(); ++it)
        {
            if (it->empty())
            {
                std::cerr << "vnmachine reg: an empty entry would end the list\n";
                return 2;
            }
            bytes += *it;
            bytes += '\0';
        }
        bytes += '\0';
    }
    else
    {
        std::optional<std::uint32_t> parsedType;
        if (reg::EqualNoCase(typeName, "REG_BINARY") || reg::EqualNoCase(typeName, "hex"))
            parsedType = reg::kTypeBinary;
        else if (typeName.size() > 5 && reg::EqualNoCase(typeName.substr(0, 4), "hex(") &&
                 typeName.back() == ')')
            parsedType = parseNumber("0x" + typeName.substr(4, typeName.size() - 5));
        auto parsed = parseBytes(data, args.end());
        if (!parsedType || !parsed)
        {
            std::cerr << "vnmachine reg: unknown type '" << typeName
                      << "' or data that are not hex bytes\n";
            return 2;
        }
        type = *parsedType;
        bytes = std::move(*parsed);
    }
    if (!reg::IsValidValueName(name))
    {
        std::cerr << "vnmachine reg: the registry cannot hold that value name\n";
        return 2;
    }
    if (!reg::SetValue(m, *key, name, type, bytes))
    {
        reportStore(m);
        std::cerr << "vnmachine reg: cannot set the value\n";
        return 1;
    }
    return 0;
}

int removeKey(const machine::Machine& m, const Words& args)
{
    NeedWords(args, 1, 2);
    auto key = keyArgument(args[0]);
    if (!key)
        return 2;
    if (args.size() == 1 && reg::ParseKeyPath(*key)->size() < 2)
    {
        std::cerr << "vnmachine reg: a root cannot be deleted\n";
        return 2;
    }
    bool removed = args.size() == 2 ? reg::DeleteValue(m, *key, valueNameArgument(args[1]))
                                    : reg::DeleteKeyTree(m, *key);
    if (!removed)
    {
        if (reportStore(m))
            std::cerr << "vnmachine reg: nothing to delete\n";
        return 1;
    }
    return 0;
}

int fault(const machine::Machine& m, const Words& args)
{
    if (args.size() == 1 && args[0] == "list")
    {
        for (const auto& f : reg::ListFaults(m))
            std::cout << reg::OperationName(f.operation) << "\t" << reg::FormatKeyPath(f.key)
                      << "\t" << f.error << "\t"
                      << (f.remaining == reg::kAlways ? std::string("always")
                                                      : std::to_string(f.remaining))
                      << "\n";
        return 0;
    }
    if (args.size() == 1 && args[0] == "clear")
        return reg::ClearFaults(m) ? 0 : 1;
    NeedWords(args, 3, 4);
    auto operation = reg::ParseOperation(args[0]);
    auto path = reg::ParseKeyPath(args[1]);
    auto error = parseError(args[2]);
    int times = 1;
    if (args.size() == 4)
    {
        if (args[3] == "always")
            times = reg::kAlways;
        else if (auto n = parseNumber(args[3]); n && *n > 0 && *n < 1000000)
            times = static_cast<int>(*n);
        else
            times = 0;
    }
    if (!operation || !path || !error || times == 0)
        throw UsageError{};
    return reg::InjectFault(m, *operation, *path, *error, times) ? 0 : 1;
}

} // namespace

int RunRegCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine reg",
        .commands =
            {
                {"show",
                 {"[KEY]"},
                 "print the key and all below it (every key without KEY)",
                 OnMachine(show)},
                {"export",
                 {"[FILE]"},
                 "write the whole registry in the export format (stdout)",
                 OnMachine(exportAll)},
                {"import",
                 {"FILE"},
                 "merge an export-format file (\"-\": stdin)",
                 OnMachine(import)},
                {"set",
                 {"KEY NAME TYPE [DATA...]"},
                 "set a value (NAME \"@\": the default value)",
                 OnMachine(set),
                 "TYPE and DATA of set:\n"
                 "  REG_SZ TEXT          the text with its terminating zero, as Windows writes it\n"
                 "  REG_EXPAND_SZ TEXT   the same, typed REG_EXPAND_SZ\n"
                 "  REG_DWORD NUMBER     decimal or 0x hexadecimal, 4 bytes little-endian\n"
                 "  REG_MULTI_SZ [ENTRY...]\n"
                 "                       one argument per entry, each ended by a zero, then one\n"
                 "                       more zero; no entry gives the empty list (one zero byte)\n"
                 "  REG_BINARY BYTES     hex bytes: \"01,02,ff\", \"0102ff\" or several arguments\n"
                 "  hex(N) BYTES         exact bytes of type N (hex), as the hive file writes "
                 "them;\n"
                 "                       e.g. a REG_SZ \"1\" without terminator: hex(1) 31\n"},
                {"delete",
                 {"KEY [NAME]"},
                 "delete a value, or the key with all below it",
                 OnMachine(removeKey)},
                {"fault",
                 {"OP KEY ERROR [COUNT|always]", "list | clear"},
                 "make calls on a key fail; show or remove those failures",
                 OnMachine(fault),
                 "fault makes the next COUNT (default 1) calls of OP on KEY fail with ERROR;\n"
                 "OP: open, create, query, set, delete, enumerate; ERROR: a number or a name such\n"
                 "as ERROR_ACCESS_DENIED.\n"},
            },
        .notes = "KEY: HKEY_LOCAL_MACHINE\\... (or HKLM, HKCU, HKCR, HKU).\n",
    };
    return table.run(args);
}
