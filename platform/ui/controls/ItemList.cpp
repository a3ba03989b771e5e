#include "platform/ui/controls/ItemList.h"

#include <strings.h>

namespace platform::controls
{

int ItemList::Add(const std::string& text, bool sorted)
{
    std::size_t at = m_items.size();
    if (sorted)
    {
        at = 0;
        while (at < m_items.size() && ::strcasecmp(m_items[at].text.c_str(), text.c_str()) <= 0)
            ++at;
    }
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), ListItem{text, 0});
    return static_cast<int>(at);
}

int ItemList::Insert(int index, const std::string& text)
{
    if (index < 0)
        index = Count();
    if (index > Count())
        return -1;
    m_items.insert(m_items.begin() + index, ListItem{text, 0});
    return index;
}

int ItemList::Delete(int index)
{
    if (!Valid(index))
        return -1;
    m_items.erase(m_items.begin() + index);
    return Count();
}

int ItemList::Find(int startAfter, const std::string& text, bool exact) const
{
    const int count = Count();
    if (count == 0)
        return -1;
    const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
    for (int step = 0; step < count; ++step)
    {
        const int i = (first + step) % count;
        const std::string& item = m_items[i].text;
        const bool match = exact ? ::strcasecmp(item.c_str(), text.c_str()) == 0
                                 : item.size() >= text.size() &&
                                       ::strncasecmp(item.c_str(), text.c_str(), text.size()) == 0;
        if (match)
            return i;
    }
    return -1;
}

int IndexAfterInsert(int index, int at)
{
    return index >= 0 && at <= index ? index + 1 : index;
}

int IndexAfterDelete(int index, int at)
{
    if (index < 0 || at > index)
        return index;
    return at == index ? -1 : index - 1;
}

} // namespace platform::controls
