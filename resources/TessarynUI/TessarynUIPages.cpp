#include "resources/TessarynUI/TessarynUIPages.h"

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

namespace
{

using platform::DialogTemplate;

DialogTemplate emptyPage(const char* caption)
{
    DialogTemplate t;
    t.style = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;
    t.caption = caption;
    t.rect = {0, 0, 280, 200};
    return t;
}

} // namespace

void RegisterTessarynUIPageTemplates()
{
    platform::RegisterDialogTemplate(IDD_PROFILE_PAGE, emptyPage("Profile"));
    platform::RegisterDialogTemplate(IDD_SYSCONFIG_PAGE, emptyPage("System Configuration"));
    platform::RegisterDialogTemplate(IDD_LINKSTATUS_PAGE, emptyPage("Link Status"));
    platform::RegisterDialogTemplate(IDD_SITESURVEY_PAGE, emptyPage("Site Survey"));
    platform::RegisterDialogTemplate(IDD_STATISTIC_PAGE, emptyPage("Statistics"));
    platform::RegisterDialogTemplate(IDD_ABOUT_PAGE, emptyPage("About"));
    platform::RegisterDialogTemplate(IDD_REGSET_PAGE, emptyPage("Setting Register"));
    platform::RegisterDialogTemplate(IDD_ADVANCE_PAGE, emptyPage("Advanced"));
    platform::RegisterDialogTemplate(IDD_BLOCKACK_PAGE, emptyPage("11n Configuration"));
}
