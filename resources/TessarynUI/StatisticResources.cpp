#include "resources/TessarynUI/StatisticResources.h"

#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/resource.h"

void RegisterStatisticTemplates()
{
    platform::RegisterDialogTemplate(IDD_STATISTIC_PAGE, EmptyPageTemplate("Statistics"));
}

void AddStatisticStrings(std::map<UINT, std::string>& strings) {}
