#include "resources/TessarynAp/TessarynApResources.h"

#include "platform/Windows.h"
#include "platform/base/StringResolver.h"
#include "resources/TessarynAp/TessarynApStrings.h"
#include "resources/TessarynAp/TessarynApTemplates.h"
#include "resources/TessarynAp/resource.h"

namespace
{

platform::MenuTemplateItem menuItem(const char* text, UINT id)
{
    platform::MenuTemplateItem item;
    item.text = text;
    item.id = id;
    return item;
}

// The menu is a popup whose first submenu is shown (GetSubMenu(0)). The texts are the
// program's own, its misspelling and trailing blank included.
platform::MenuTemplate trayMenu()
{
    platform::MenuTemplateItem popup;
    popup.text = "_TRSY_";
    popup.flags = MF_POPUP;
    popup.items = {menuItem("Lanuch Config Utilities ", ID_TRAY_LAUNCH),
                   menuItem("Switch to Station Mode", ID_TRAY_SWITCH_STATION),
                   menuItem("Exit", ID_TRAY_EXIT)};
    platform::MenuTemplate menu;
    menu.items = {popup};
    return menu;
}

const struct
{
    UINT id;
    const char* description;
} kIcons[] = {
    {IDI_SIGNAL_NORMAL, "signal normal"}, {IDI_SIGNAL_WEAK, "signal weak"},
    {IDI_SIGNAL_GOOD, "signal good"},     {IDI_DISCONNECTED, "disconnected"},
    {IDI_NO_ADAPTER, "no adapter"},
};

} // namespace

void RegisterTessarynApResources()
{
    for (const auto& icon : kIcons)
        platform::RegisterIconResource(icon.id, icon.description);
    RegisterTessarynApTemplates();
    platform::RegisterMenuTemplate(IDR_TRAY_MENU, trayMenu());
    platform::SetStringResolver(
        [](UINT id) -> std::optional<std::string>
        {
            auto it = TessarynApStringTable().find(id);
            if (it == TessarynApStringTable().end())
                return std::nullopt;
            return it->second;
        });
}
