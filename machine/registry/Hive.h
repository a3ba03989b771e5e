#pragma once
// The registry in memory: a tree of keys, each holding named values of a type and exact bytes.
// Subkeys and values keep the order they were added in, which is the order enumeration sees.

#include "machine/registry/KeyPath.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace machine::registry
{

// Hashes and compares names as they fold (AsciiCase.h), so that a name is found by any spelling
// without making its folded copy first.
struct FoldedHash
{
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
};
struct FoldedEqual
{
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return EqualNoCase(a, b); }
};
using NameIndex = std::unordered_map<std::string, std::size_t, FoldedHash, FoldedEqual>;

struct Value
{
    std::string name; // "" is the key's default value
    std::uint32_t type = kTypeNone;
    std::string data; // the bytes exactly as written, no terminator added

    bool operator==(const Value&) const = default;
};

// Text of the hive file that the hive cannot hold as keys and values (a line it cannot read, a
// comment), kept byte for byte, line ends included, so that writing the hive back loses none of
// it. Adjacent kept lines at one place make one text.
struct KeptText
{
    std::size_t beforeValue = 0; // written before the value at this index (or after the last)
    std::string text;

    bool operator==(const KeptText&) const = default;
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

    // Lines of this key's block kept among its values, where they stood when read. Deleting the
    // key deletes them with it: they were part of it.
    const std::vector<KeptText>& keptText() const { return m_kept; }
    void keepText(std::string_view text);
    // Blocks under unreadable headers that followed this key's block, each from its header to
    // the next readable one: written after the key's values and before its subkeys. They are
    // none of the key's content, so deleting the key hands them to its parent.
    const std::vector<std::string>& keptBlocks() const { return m_keptBlocks; }
    void keepBlock(std::string text) { m_keptBlocks.push_back(std::move(text)); }
    // Whether this key or one below it keeps any text.
    bool keepsText() const;

    bool operator==(const Key&) const = default;

private:
    void indexValues();
    void indexSubkeys();

    std::string m_name;
    std::vector<Value> m_values;
    std::vector<Key> m_subkeys;
    std::vector<KeptText> m_kept;
    std::vector<std::string> m_keptBlocks;
    // Positions by name, so that a key of many values or subkeys is searched without a walk
    // through them all.
    NameIndex m_valueAt;
    NameIndex m_subkeyAt;
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

    // Text kept from outside every key: before the first header, or after a header that
    // removes a key (see KeptText). Written before the first key.
    const std::string& keptHead() const { return m_head; }
    void keepHead(std::string_view text) { m_head += text; }
    bool keepsText() const { return !m_head.empty() || m_top.keepsText(); }

    bool operator==(const Hive&) const = default;

private:
    Key m_top; // holds the roots
    std::string m_head;
};

} // namespace machine::registry
