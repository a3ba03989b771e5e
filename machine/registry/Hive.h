#pragma once
// The registry in memory: a tree of keys, each holding named values of a type and exact bytes.
// Subkeys and values keep the order they were added in, which is the order enumeration sees.

#include "machine/registry/KeyPath.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace machine::registry
{

struct Value
{
    std::string name; // "" is the key's default value
    std::uint32_t type = kTypeNone;
    std::string data; // the bytes exactly as written, no terminator added

    bool operator==(const Value&) const = default;
};

class Key
{
public:
    Key() = default;
    explicit Key(std::string name) : m_name(std::move(name)) {}

    const std::string& name() const { return m_name; }

    const std::vector<Key>& subkeys() const { return m_subkeys; }
    Key* findSubkey(std::string_view name);
    const Key* findSubkey(std::string_view name) const;
    // The existing subkey of that name, or a new one added last.
    Key& subkey(std::string_view name, bool* created = nullptr);
    bool removeSubkey(std::string_view name);

    const std::vector<Value>& values() const { return m_values; }
    const Value* findValue(std::string_view name) const;
    // Replaces the data and type of an existing value in place (its name keeps its spelling
    // and its position), or adds the value last.
    void setValue(std::string_view name, std::uint32_t type, std::string data);
    bool removeValue(std::string_view name);

    bool operator==(const Key&) const = default;

private:
    std::string m_name;
    std::vector<Value> m_values;
    std::vector<Key> m_subkeys;
};

// The whole machine registry: the four roots, always present, in a fixed order.
class Hive
{
public:
    Hive();

    Key* find(const KeyPath& path);
    const Key* find(const KeyPath& path) const;
    // Creates the key and every missing key above it. Null when the path has no known root.
    Key* create(const KeyPath& path, bool* created = nullptr);
    // Removes the key with everything below it. The roots cannot be removed.
    bool remove(const KeyPath& path);

    const std::vector<Key>& roots() const { return m_top.subkeys(); }

    bool operator==(const Hive&) const = default;

private:
    Key m_top; // holds the roots
};

} // namespace machine::registry
