#include "machine/registry/RegistryLog.h"

#include "machine/LineLog.h"
#include "machine/registry/HiveText.h"

namespace machine::registry
{
namespace
{

thread_local int t_unlogged = 0;

std::string typeName(std::uint32_t type)
{
    static constexpr const char* names[] = {"REG_NONE",
                                            "REG_SZ",
                                            "REG_EXPAND_SZ",
                                            "REG_BINARY",
                                            "REG_DWORD",
                                            "REG_DWORD_BIG_ENDIAN",
                                            "REG_LINK",
                                            "REG_MULTI_SZ",
                                            "REG_RESOURCE_LIST",
                                            "REG_FULL_RESOURCE_DESCRIPTOR",
                                            "REG_RESOURCE_REQUIREMENTS_LIST",
                                            "REG_QWORD"};
    if (type < std::size(names))
        return names[type];
    return "type " + std::to_string(type);
}

std::string hex(const std::string& data)
{
    if (data.empty())
        return "-";
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(2 * data.size());
    for (char c : data)
    {
        const auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 0xF];
    }
    return out;
}

} // namespace

std::filesystem::path RegistryLogPath(const Machine& machine)
{
    return machine.root() / "registry.log";
}

std::string FormatRegistryLogLine(const HiveChange& step)
{
    const std::string key = "[" + FormatKeyPath(step.key) + "]";
    switch (step.kind)
    {
    case HiveChange::Kind::CreateKey:
        return "create-key " + key;
    case HiveChange::Kind::DeleteKey:
        return "delete-key " + key;
    case HiveChange::Kind::SetValue:
        return "set " + key + " " + FormatValueName(step.name) + " " + typeName(step.type) + " " +
               hex(step.data);
    case HiveChange::Kind::DeleteValue:
        return "delete-value " + key + " " + FormatValueName(step.name);
    }
    return {};
}

void AppendRegistryLog(const Machine& machine, const std::vector<HiveChange>& steps)
{
    if (t_unlogged > 0)
        return;
    for (const auto& step : steps)
        // The bytes may be a key or a password: owner-only, as the hive is.
        AppendLogLine(machine, RegistryLogPath(machine), FormatRegistryLogLine(step),
                      FileAccess::OwnerOnly);
}

UnloggedChanges::UnloggedChanges()
{
    ++t_unlogged;
}

UnloggedChanges::~UnloggedChanges()
{
    --t_unlogged;
}

} // namespace machine::registry
