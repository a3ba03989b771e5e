#include "resources/TessarynUI/SiteSurveyResources.h"

#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/resource.h"

void RegisterSiteSurveyTemplates()
{
    platform::RegisterDialogTemplate(IDD_SITESURVEY_PAGE, EmptyPageTemplate("Site Survey"));
}

void AddSiteSurveyStrings(std::map<UINT, std::string>& strings) {}
