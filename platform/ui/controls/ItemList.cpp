#include "platform/ui/controls/ItemList.h"

#include "platform/ui/PointerParam.h"
#include "platform/ui/controls/ControlNotify.h"

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

std::string TextParam(LPARAM lParam)
{
    const char* text = platform::PointerFromParam<const char>(lParam);
    return text != nullptr ? text : "";
}

std::optional<LRESULT> AnswerItemMessage(const ItemMessages& ids, HWND control, ItemList& items,
                                         int& curSel, UINT message, WPARAM wParam, LPARAM lParam)
{
    constexpr LRESULT kError = -1;
    constexpr LRESULT kDone = 0;
    const int index = static_cast<int>(wParam);
    if (message == ids.addString)
    {
        const int at = items.Add(TextParam(lParam), (ControlStyle(control) & ids.sortStyle) != 0);
        curSel = IndexAfterInsert(curSel, at);
        return at;
    }
    if (message == ids.insertString)
    {
        const int at = items.Insert(index, TextParam(lParam));
        if (at < 0)
            return kError;
        curSel = IndexAfterInsert(curSel, at);
        return at;
    }
    if (message == ids.deleteString)
    {
        const int left = items.Delete(index);
        if (left < 0)
            return kError;
        curSel = IndexAfterDelete(curSel, index);
        return left;
    }
    if (message == ids.getCount)
        return items.Count();
    if (message == ids.getText)
    {
        const ListItem* item = items.At(index);
        if (item == nullptr)
            return kError;
        return CopyOut(item->text, platform::PointerFromParam<char>(lParam), -1);
    }
    if (message == ids.getTextLength)
    {
        const ListItem* item = items.At(index);
        return item != nullptr ? static_cast<LRESULT>(item->text.size()) : kError;
    }
    if (message == ids.findString)
        return items.Find(index, TextParam(lParam), false);
    if (message == ids.findStringExact)
        return items.Find(index, TextParam(lParam), true);
    if (message == ids.setItemData)
    {
        ListItem* item = items.At(index);
        if (item == nullptr)
            return kError;
        item->data = static_cast<DWORD_PTR>(lParam);
        return kDone;
    }
    if (message == ids.getItemData)
    {
        const ListItem* item = items.At(index);
        return item != nullptr ? static_cast<LRESULT>(item->data) : kError;
    }
    if (message == ids.initStorage)
        return items.Count() + index;
    return std::nullopt;
}

} // namespace platform::controls
