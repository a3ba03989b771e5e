#pragma once
// What the programs' resource scripts share beside their dialogs: the notification-area menu
// (one popup whose items are shown), the icons by id, and the string table entered as the
// process's strings.

#include "platform/Windows.h"
#include "platform/base/StringResolver.h"

#include <initializer_list>
#include <map>
#include <string>

namespace resources
{

struct IconEntry
{
    UINT id;
    const char* description;
};

inline platform::MenuTemplateItem MenuItem(const char* text, UINT id)
{
    platform::MenuTemplateItem item;
    item.text = text;
    item.id = id;
    return item;
}

// A menu of one popup: GetSubMenu(0) of it is what the programs show.
inline platform::MenuTemplate PopupMenu(const char* popupText,
                                        std::initializer_list<platform::MenuTemplateItem> items)
{
    platform::MenuTemplateItem popup;
    popup.text = popupText;
    popup.flags = MF_POPUP;
    popup.items = items;
    platform::MenuTemplate menu;
    menu.items = {popup};
    return menu;
}

template <size_t N> void RegisterIcons(const IconEntry (&icons)[N])
{
    for (const IconEntry& icon : icons)
        platform::RegisterIconResource(icon.id, icon.description);
}

// The table lives as long as the program (a function's static).
inline void UseStringTable(const std::map<UINT, std::string>& table)
{
    const std::map<UINT, std::string>* pTable = &table;
    platform::SetStringResolver(
        [pTable](UINT id) -> std::optional<std::string>
        {
            auto it = pTable->find(id);
            if (it == pTable->end())
                return std::nullopt;
            return it->second;
        });
}

} // namespace resources
