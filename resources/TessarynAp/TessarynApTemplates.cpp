#include "resources/TessarynAp/TessarynApTemplates.h"

#include "platform/Windows.h"
#include "resources/TessarynAp/AboutResources.h"
#include "resources/TessarynAp/AccessControlResources.h"
#include "resources/TessarynAp/BlockAckResources.h"
#include "resources/TessarynAp/ConfigResources.h"
#include "resources/TessarynAp/LinkStatusResources.h"
#include "resources/TessarynAp/RegSetResources.h"
#include "resources/TessarynAp/SecurityResources.h"
#include "resources/TessarynAp/StationPagesResources.h"
#include "resources/TessarynAp/StatisticResources.h"
#include "resources/TessarynAp/WdsResources.h"
#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"
#include "resources/common/SelCardResources.h"

namespace
{

using platform::DialogTemplate;
using resources::EmptyPageTemplate;

// The monitor window: a popup that hides itself whenever it would be painted.
DialogTemplate hideDialog()
{
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.caption = "Vantir Wireless UI";
    t.rect = {0, 0, 100, 40};
    return t;
}

// The pages whose controls come with their own work: empty until then.
const struct
{
    UINT id;
    const char* caption;
} kPages[] = {
    {IDD_WDS_PAGE, "WDS"},
    {IDD_STATISTIC_PAGE, "Statistics"},
    {IDD_ABOUT_PAGE, "About"},
    {IDD_LINKSTATUS_PAGE, "Link Status"},
    {IDD_BLOCKACK_PAGE, "11n Setting"},
    {IDD_REGSET_PAGE, "Setting Register"},
};

} // namespace

void RegisterTessarynApTemplates()
{
    platform::RegisterDialogTemplate(IDD_HIDE_DIALOG, hideDialog());
    for (const auto& page : kPages)
        platform::RegisterDialogTemplate(page.id, EmptyPageTemplate(page.caption));
    RegisterConfigTemplate();
    RegisterSecurityTemplate();
    RegisterAccessControlTemplate();
    RegisterStationPagesTemplates();
    RegisterSelCardTemplate();
    // The pages built since: their templates replace the empty ones.
    RegisterStatisticTemplates();
    RegisterAboutTemplates();
    RegisterBlockAckTemplates();
    RegisterRegSetTemplates();
    RegisterWdsTemplates();
    RegisterLinkStatusTemplates();
}
