#pragma once
// The strings of a combo box or list box with their item data, and the platform's two searches:
// a case-insensitive prefix search and a case-insensitive whole-text search, both starting with
// the item after the given index (-1: from the first) and wrapping round. Also the string
// messages both controls answer alike.

#include "platform/base/WinTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace platform::controls
{

struct ListItem
{
    std::string text;
    DWORD_PTR data = 0;
};

class ItemList
{
public:
    // Sorted: before the first item that compares greater without regard to case.
    int Add(const std::string& text, bool sorted);
    // -1 appends; -1 (the error) when index is past the end.
    int Insert(int index, const std::string& text);
    // The number of items left, or -1 for a bad index.
    int Delete(int index);
    void Clear() { m_items.clear(); }
    int Count() const { return static_cast<int>(m_items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    const ListItem* At(int index) const { return Valid(index) ? &m_items[index] : nullptr; }
    ListItem* At(int index) { return Valid(index) ? &m_items[index] : nullptr; }
    // -1 when nothing matches. An empty prefix matches the first item examined.
    int Find(int startAfter, const std::string& text, bool exact) const;

private:
    std::vector<ListItem> m_items;
};

// The numbers of the string messages that combo boxes and list boxes answer alike, and the style
// that keeps the strings sorted.
struct ItemMessages
{
    UINT addString;
    UINT insertString;
    UINT deleteString;
    UINT getCount;
    UINT getText;
    UINT getTextLength;
    UINT findString;
    UINT findStringExact;
    UINT setItemData;
    UINT getItemData;
    UINT initStorage;
    DWORD sortStyle;
};

// The text a message carries in lParam; "" for none.
std::string TextParam(LPARAM lParam);

// Answers one of the messages in `ids` on the items (wParam the index, lParam the text, buffer or
// item data) and keeps the selected index in step with adds, inserts and deletes; nullopt for any
// other message. Both kinds answer -1 for an error (CB_ERR, LB_ERR) and 0 for done.
std::optional<LRESULT> AnswerItemMessage(const ItemMessages& ids, HWND control, ItemList& items,
                                         int& curSel, UINT message, WPARAM wParam, LPARAM lParam);

// Where an index stands after an insert at `at` (selection bookkeeping).
int IndexAfterInsert(int index, int at);
// Where an index stands after the item at `at` was deleted (-1 when it was that item).
int IndexAfterDelete(int index, int at);

} // namespace platform::controls
