#include "machine/registry/HiveEdit.h"

namespace machine::registry
{

bool HiveEdit::create(const KeyPath& path, bool* created)
{
    bool made = false;
    if (m_hive.create(path, &made) == nullptr)
        return false;
    if (created)
        *created = made;
    if (made)
        note({HiveChange::Kind::CreateKey, path, {}, kTypeNone, {}});
    return true;
}

bool HiveEdit::remove(const KeyPath& path)
{
    if (!m_hive.remove(path))
        return false;
    note({HiveChange::Kind::DeleteKey, path, {}, kTypeNone, {}});
    return true;
}

bool HiveEdit::setValue(const KeyPath& key, std::string_view name, std::uint32_t type,
                        std::string data)
{
    Key* k = m_hive.find(key);
    if (k == nullptr)
        return false;
    if (m_changes)
        m_changes->push_back({HiveChange::Kind::SetValue, key, std::string(name), type, data});
    k->setValue(name, type, std::move(data));
    return true;
}

bool HiveEdit::removeValue(const KeyPath& key, std::string_view name)
{
    Key* k = m_hive.find(key);
    if (k == nullptr || !k->removeValue(name))
        return false;
    note({HiveChange::Kind::DeleteValue, key, std::string(name), kTypeNone, {}});
    return true;
}

void HiveEdit::note(HiveChange change)
{
    if (m_changes)
        m_changes->push_back(std::move(change));
}

} // namespace machine::registry
