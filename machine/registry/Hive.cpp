#include "machine/registry/Hive.h"

#include <algorithm>

namespace machine::registry
{

std::size_t FoldedHash::operator()(std::string_view name) const
{
    // FNV-1a over the folded bytes.
    std::size_t h = 14695981039346656037ull;
    for (char c : name)
    {
        const auto b = static_cast<unsigned char>(c);
        const unsigned folded = b - (static_cast<unsigned>(b - 'a') < 26u ? 32u : 0u);
        h = (h ^ folded) * 1099511628211ull;
    }
    return h;
}

Key* Key::findSubkey(std::string_view name)
{
    auto it = m_subkeyAt.find(name);
    return it == m_subkeyAt.end() ? nullptr : &m_subkeys[it->second];
}

const Key* Key::findSubkey(std::string_view name) const
{
    return const_cast<Key*>(this)->findSubkey(name);
}

Key& Key::subkey(std::string_view name, bool* created)
{
    auto [it, added] = m_subkeyAt.try_emplace(std::string(name), m_subkeys.size());
    if (created)
        *created = added;
    if (!added)
        return m_subkeys[it->second];
    return m_subkeys.emplace_back(std::string(name));
}

bool Key::removeSubkey(std::string_view name)
{
    auto it = m_subkeyAt.find(name);
    if (it == m_subkeyAt.end())
        return false;
    m_subkeys.erase(m_subkeys.begin() + static_cast<std::ptrdiff_t>(it->second));
    indexSubkeys();
    return true;
}

const Value* Key::findValue(std::string_view name) const
{
    auto it = m_valueAt.find(name);
    return it == m_valueAt.end() ? nullptr : &m_values[it->second];
}

void Key::setValue(std::string_view name, std::uint32_t type, std::string data)
{
    auto [it, added] = m_valueAt.try_emplace(std::string(name), m_values.size());
    if (!added)
    {
        Value& v = m_values[it->second];
        v.type = type;
        v.data = std::move(data);
        return;
    }
    m_values.push_back(Value{std::string(name), type, std::move(data)});
}

bool Key::removeValue(std::string_view name)
{
    auto found = m_valueAt.find(name);
    if (found == m_valueAt.end())
        return false;
    // Kept lines stay beside the values they stood between.
    const std::size_t index = found->second;
    m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(index));
    indexValues();
    std::vector<KeptText> kept;
    for (auto& k : m_kept)
    {
        if (k.beforeValue > index)
            --k.beforeValue;
        if (!kept.empty() && kept.back().beforeValue == k.beforeValue)
            kept.back().text += k.text; // now adjacent: one text, as a read of the file makes
        else
            kept.push_back(std::move(k));
    }
    m_kept = std::move(kept);
    return true;
}

void Key::indexValues()
{
    m_valueAt.clear();
    for (std::size_t i = 0; i < m_values.size(); ++i)
        m_valueAt.emplace(m_values[i].name, i);
}

void Key::indexSubkeys()
{
    m_subkeyAt.clear();
    for (std::size_t i = 0; i < m_subkeys.size(); ++i)
        m_subkeyAt.emplace(m_subkeys[i].m_name, i);
}

void Key::keepText(std::string_view text)
{
    if (!m_kept.empty() && m_kept.back().beforeValue == m_values.size())
        m_kept.back().text += text;
    else
        m_kept.push_back(KeptText{m_values.size(), std::string(text)});
}

bool Key::keepsText() const
{
    if (!m_kept.empty() || !m_keptBlocks.empty())
        return true;
    return std::any_of(m_subkeys.begin(), m_subkeys.end(),
                       [](const Key& k) { return k.keepsText(); });
}

namespace
{

// The blocks of a key and of everything below it, in the order the file has them.
void collectBlocks(const Key& key, std::vector<std::string>& out)
{
    out.insert(out.end(), key.keptBlocks().begin(), key.keptBlocks().end());
    for (const auto& sub : key.subkeys())
        collectBlocks(sub, out);
}

} // namespace

Hive::Hive()
{
    for (const char* root : kRootNames)
        m_top.subkey(root);
}

Key* Hive::find(const KeyPath& path)
{
    Key* key = &m_top;
    for (const auto& part : path)
    {
        key = key->findSubkey(part);
        if (key == nullptr)
            return nullptr;
    }
    return path.empty() ? nullptr : key;
}

const Key* Hive::find(const KeyPath& path) const
{
    return const_cast<Hive*>(this)->find(path);
}

Key* Hive::create(const KeyPath& path, bool* created)
{
    if (path.empty())
        return nullptr;
    Key* key = m_top.findSubkey(path[0]);
    if (key == nullptr)
        return nullptr;
    bool made = false;
    for (std::size_t i = 1; i < path.size(); ++i)
    {
        bool madeHere = false;
        key = &key->subkey(path[i], &madeHere);
        made = madeHere;
    }
    if (created)
        *created = made;
    return key;
}

bool Hive::remove(const KeyPath& path)
{
    if (path.size() < 2)
        return false;
    KeyPath parentPath(path.begin(), path.end() - 1);
    Key* parent = find(parentPath);
    Key* key = parent == nullptr ? nullptr : parent->findSubkey(path.back());
    if (key == nullptr)
        return false;
    std::vector<std::string> blocks;
    collectBlocks(*key, blocks);
    parent->removeSubkey(path.back());
    for (auto& block : blocks)
        parent->keepBlock(std::move(block));
    return true;
}

} // namespace machine::registry
