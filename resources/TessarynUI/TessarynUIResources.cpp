#include "resources/TessarynUI/TessarynUIResources.h"

#include "controls/SiteListCtrl.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/TessarynUIStrings.h"
#include "resources/TessarynUI/resource.h"
#include "resources/common/ResourceScript.h"
#include "resources/common/SelCardResources.h"

namespace
{

using resources::MenuItem;

// The menus are popups whose first submenu is shown (GetSubMenu(0)).
platform::MenuTemplate trayMenu(bool withSwitch)
{
    if (withSwitch)
        return resources::PopupMenu("Tray", {MenuItem("Launch Config Utilities ", ID_TRAY_LAUNCH),
                                             MenuItem("Switch to AP Mode", ID_TRAY_SWITCH_AP),
                                             MenuItem("Exit", ID_TRAY_EXIT)});
    return resources::PopupMenu("Tray", {MenuItem("Launch Config Utilities", ID_TRAY_LAUNCH),
                                         MenuItem("Exit", ID_TRAY_EXIT)});
}

// Icons: the notification-area states (the sheet's title bar shows them too), the site list's
// and the profile list's images.
const resources::IconEntry kIcons[] = {
    {IDI_SIGNAL_NORMAL, "signal normal"},   {IDI_SIGNAL_WEAK, "signal weak"},
    {IDI_SIGNAL_GOOD, "signal good"},       {IDI_DISCONNECTED, "disconnected"},
    {IDI_SITE_LIST_0, "connected network"}, {IDI_PROFILE, "profile"},
    {IDI_NO_ADAPTER, "no adapter"},         {IDI_PROFILE_ACTIVE, "profile active"},
    {IDI_WEP_ERROR, "WEP error"},           {IDI_SITE_LIST_1, "site list 1"},
    {IDI_SITE_LIST_2, "site list 2"},
};

} // namespace

void RegisterTessarynUIResources()
{
    resources::RegisterIcons(kIcons);
    platform::RegisterBitmapResource(IDB_RADIO_ON, "radio on");
    platform::RegisterBitmapResource(IDB_RADIO_OFF, "radio off");
    RegisterSelCardTemplate();
    RegisterTessarynUIPageTemplates();
    platform::RegisterMenuTemplate(IDR_TRAY_MENU, trayMenu(false));
    platform::RegisterMenuTemplate(IDR_TRAY_MENU_AP, trayMenu(true));
    resources::UseStringTable(TessarynUIStringTable());
}
