#include "machine/registry/Hive.h"

#include <algorithm>

namespace machine::registry
{

Key* Key::findSubkey(std::string_view name)
{
    for (auto& k : m_subkeys)
        if (EqualNoCase(k.m_name, name))
            return &k;
    return nullptr;
}

const Key* Key::findSubkey(std::string_view name) const
{
    return const_cast<Key*>(this)->findSubkey(name);
}

Key& Key::subkey(std::string_view name, bool* created)
{
    if (Key* existing = findSubkey(name))
    {
        if (created)
            *created = false;
        return *existing;
    }
    if (created)
        *created = true;
    return m_subkeys.emplace_back(std::string(name));
}

bool Key::removeSubkey(std::string_view name)
{
    auto it = std::find_if(m_subkeys.begin(), m_subkeys.end(),
                           [&](const Key& k) { return EqualNoCase(k.m_name, name); });
    if (it == m_subkeys.end())
        return false;
    m_subkeys.erase(it);
    return true;
}

const Value* Key::findValue(std::string_view name) const
{
    for (const auto& v : m_values)
        if (EqualNoCase(v.name, name))
            return &v;
    return nullptr;
}

void Key::setValue(std::string_view name, std::uint32_t type, std::string data)
{
    for (auto& v : m_values)
        if (EqualNoCase(v.name, name))
        {
            v.type = type;
            v.data = std::move(data);
            return;
        }
    m_values.push_back(Value{std::string(name), type, std::move(data)});
}

bool Key::removeValue(std::string_view name)
{
    auto it = std::find_if(m_values.begin(), m_values.end(),
                           [&](const Value& v) { return EqualNoCase(v.name, name); });
    if (it == m_values.end())
        return false;
    m_values.erase(it);
    return true;
}

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
    return parent != nullptr && parent->removeSubkey(path.back());
}

} // namespace machine::registry
