#pragma once
// A change of the machine's hive made step by step. Every step that changes the hive is noted
// as a HiveChange, in order, so that the store can append exactly those steps to its journal
// and its log: replayed in order onto the hive as it was, they make the hive as it is.

#include "machine/registry/Hive.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace machine::registry
{

struct HiveChange
{
    enum class Kind
    {
        CreateKey,   // the key and every missing key above it
        DeleteKey,   // the key with everything below it
        SetValue,    // of an existing key
        DeleteValue, // of an existing key
    };

    Kind kind = Kind::CreateKey;
    KeyPath key; // as the caller spelled it
    std::string name;
    std::uint32_t type = kTypeNone;
    std::string data;

    bool operator==(const HiveChange&) const = default;
};

class HiveEdit
{
public:
    // `changes` (may be null) receives every step that changed the hive.
    HiveEdit(Hive& hive, std::vector<HiveChange>* changes) : m_hive(hive), m_changes(changes) {}

    const Hive& hive() const { return m_hive; }
    const Key* find(const KeyPath& path) const { return m_hive.find(path); }

    // False when the path has no known root.
    bool create(const KeyPath& path, bool* created = nullptr);
    // False when the key is missing or a root.
    bool remove(const KeyPath& path);
    // False when the key is missing.
    bool setValue(const KeyPath& key, std::string_view name, std::uint32_t type, std::string data);
    // False when the key or the value is missing.
    bool removeValue(const KeyPath& key, std::string_view name);

private:
    void note(HiveChange change);

    Hive& m_hive;
    std::vector<HiveChange>* m_changes;
};

} // namespace machine::registry
