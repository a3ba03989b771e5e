#include "resources/TessarynUI/TessarynUIPages.h"

#include "platform/Windows.h"
#include "resources/TessarynUI/AboutResources.h"
#include "resources/TessarynUI/Dot1xResources.h"
#include "resources/TessarynUI/LinkStatusResources.h"
#include "resources/TessarynUI/ProfilePagesResources.h"
#include "resources/TessarynUI/ProfileResources.h"
#include "resources/TessarynUI/SiteSurveyResources.h"
#include "resources/TessarynUI/StatisticResources.h"
#include "resources/TessarynUI/resource.h"

void RegisterTessarynUIPageTemplates()
{
    RegisterProfileTemplates();
    RegisterProfilePagesTemplates();
    RegisterDot1xTemplates();
    RegisterLinkStatusTemplates();
    RegisterSiteSurveyTemplates();
    RegisterStatisticTemplates();
    RegisterAboutTemplates();
    platform::RegisterDialogTemplate(IDD_REGSET_PAGE, EmptyPageTemplate("Setting Register"));
    platform::RegisterDialogTemplate(IDD_ADVANCE_PAGE, EmptyPageTemplate("Advanced"));
    platform::RegisterDialogTemplate(IDD_BLOCKACK_PAGE, EmptyPageTemplate("11n Configuration"));
}
