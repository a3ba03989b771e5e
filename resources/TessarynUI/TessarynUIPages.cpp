#include "resources/TessarynUI/TessarynUIPages.h"

#include "platform/Windows.h"
#include "resources/TessarynUI/AboutResources.h"
#include "resources/TessarynUI/AdvanceResources.h"
#include "resources/TessarynUI/BlockAckResources.h"
#include "resources/TessarynUI/Dot1xResources.h"
#include "resources/TessarynUI/LinkStatusResources.h"
#include "resources/TessarynUI/ProfilePagesResources.h"
#include "resources/TessarynUI/ProfileResources.h"
#include "resources/TessarynUI/QosResources.h"
#include "resources/TessarynUI/RegSetResources.h"
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
    RegisterAdvanceTemplates();
    RegisterQosTemplates();
    RegisterBlockAckTemplates();
    RegisterRegSetTemplates();
}
