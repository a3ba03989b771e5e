#include "resources/TessarynAp/TessarynApResources.h"

#include "platform/Windows.h"
#include "resources/TessarynAp/TessarynApStrings.h"
#include "resources/TessarynAp/TessarynApTemplates.h"
#include "resources/TessarynAp/resource.h"
#include "resources/common/ResourceScript.h"

namespace
{

using resources::MenuItem;

const resources::IconEntry kIcons[] = {
    {IDI_SIGNAL_NORMAL, "signal normal"}, {IDI_SIGNAL_WEAK, "signal weak"},
    {IDI_SIGNAL_GOOD, "signal good"},     {IDI_DISCONNECTED, "disconnected"},
    {IDI_NO_ADAPTER, "no adapter"},
};

} // namespace

void RegisterTessarynApResources()
{
    resources::RegisterIcons(kIcons);
    RegisterTessarynApTemplates();
    // The texts are the program's own, its misspelling and trailing blank included.
    platform::RegisterMenuTemplate(
        IDR_TRAY_MENU,
        resources::PopupMenu("_TRSY_", {MenuItem("Lanuch Config Utilities ", ID_TRAY_LAUNCH),
                                        MenuItem("Switch to Station Mode", ID_TRAY_SWITCH_STATION),
                                        MenuItem("Exit", ID_TRAY_EXIT)}));
    resources::UseStringTable(TessarynApStringTable());
}
