#include "resources/TessarynUI/AboutResources.h"

#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/resource.h"

void RegisterAboutTemplates()
{
    platform::RegisterDialogTemplate(IDD_ABOUT_PAGE, EmptyPageTemplate("About"));
}

void AddAboutStrings(std::map<UINT, std::string>& strings) {}
