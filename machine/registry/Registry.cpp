#include "machine/registry/Registry.h"

#include "machine/registry/HiveText.h"

namespace machine::registry
{
namespace
{

template <class F> bool read(const Machine& machine, F&& f)
{
    return ReadHive(machine, [&](const Hive& hive) { f(hive); }) == StoreStatus::Ok;
}

} // namespace

bool KeyExists(const Machine& machine, std::string_view key)
{
    auto path = ParseKeyPath(key);
    bool found = false;
    if (path)
        read(machine, [&](const Hive& hive) { found = hive.find(*path) != nullptr; });
    return found;
}

std::optional<std::vector<Value>> DumpKey(const Machine& machine, std::string_view key)
{
    auto path = ParseKeyPath(key);
    std::optional<std::vector<Value>> out;
    if (path)
        read(machine,
             [&](const Hive& hive)
             {
                 if (const Key* k = hive.find(*path))
                     out = k->values();
             });
    return out;
}

std::optional<std::vector<std::string>> ListSubkeys(const Machine& machine, std::string_view key)
{
    auto path = ParseKeyPath(key);
    std::optional<std::vector<std::string>> out;
    if (path)
        read(machine,
             [&](const Hive& hive)
             {
                 if (const Key* k = hive.find(*path))
                 {
                     out.emplace();
                     for (const auto& sub : k->subkeys())
                         out->push_back(sub.name());
                 }
             });
    return out;
}

std::optional<Value> GetValue(const Machine& machine, std::string_view key, std::string_view name)
{
    auto path = ParseKeyPath(key);
    std::optional<Value> out;
    if (path)
        read(machine,
             [&](const Hive& hive)
             {
                 if (const Key* k = hive.find(*path))
                     if (const Value* v = k->findValue(name))
                         out = *v;
             });
    return out;
}

bool CreateKey(const Machine& machine, std::string_view key)
{
    auto path = ParseKeyPath(key);
    if (!path)
        return false;
    bool made = false;
    return ChangeHive(machine,
                      [&](HiveEdit& hive)
                      {
                          hive.create(*path, &made);
                          return made;
                      }) == StoreStatus::Ok;
}

bool SetValue(const Machine& machine, std::string_view key, std::string_view name,
              std::uint32_t type, std::string_view data)
{
    auto path = ParseKeyPath(key);
    if (!path || !IsValidValueName(name))
        return false;
    return ChangeHive(machine,
                      [&](HiveEdit& hive) {
                          return hive.create(*path) &&
                                 hive.setValue(*path, name, type, std::string(data));
                      }) == StoreStatus::Ok;
}

bool SetString(const Machine& machine, std::string_view key, std::string_view name,
               std::string_view text)
{
    std::string data(text);
    data += '\0';
    return SetValue(machine, key, name, kTypeString, data);
}

bool SetDword(const Machine& machine, std::string_view key, std::string_view name,
              std::uint32_t value)
{
    std::string data;
    for (int i = 0; i < 4; ++i)
        data += static_cast<char>((value >> (8 * i)) & 0xFF);
    return SetValue(machine, key, name, kTypeDword, data);
}

bool DeleteValue(const Machine& machine, std::string_view key, std::string_view name)
{
    auto path = ParseKeyPath(key);
    bool removed = false;
    if (!path)
        return false;
    bool ok = ChangeHive(machine,
                         [&](HiveEdit& hive)
                         {
                             removed = hive.removeValue(*path, name);
                             return removed;
                         }) == StoreStatus::Ok;
    return ok && removed;
}

bool DeleteKeyTree(const Machine& machine, std::string_view key)
{
    auto path = ParseKeyPath(key);
    bool removed = false;
    if (!path)
        return false;
    bool ok = ChangeHive(machine,
                         [&](HiveEdit& hive)
                         {
                             removed = hive.remove(*path);
                             return removed;
                         }) == StoreStatus::Ok;
    return ok && removed;
}

std::optional<std::string> ExportText(const Machine& machine)
{
    std::optional<std::string> out;
    read(machine, [&](const Hive& hive) { out = FormatHive(hive); });
    return out;
}

std::optional<std::string> ExportKeyText(const Machine& machine, std::string_view key)
{
    auto path = ParseKeyPath(key);
    std::optional<std::string> out;
    if (path)
        read(machine,
             [&](const Hive& hive)
             {
                 if (hive.find(*path) != nullptr)
                     out = FormatKeyTree(hive, *path);
             });
    return out;
}

ParseReport ImportText(const Machine& machine, std::string_view text)
{
    ParseReport report;
    StoreStatus status = ChangeHive(machine,
                                    [&](HiveEdit& hive)
                                    {
                                        report = ApplyHiveText(text, hive);
                                        return report.ok;
                                    });
    if (report.ok && status != StoreStatus::Ok)
    {
        report.ok = false;
        report.error = status == StoreStatus::WriteFailed ? "the registry could not be written"
                                                          : HiveLoadError(machine);
    }
    else if (!report.ok && report.error.empty())
        report.error = HiveLoadError(machine);
    return report;
}

} // namespace machine::registry
