#include "resources/TessarynUI/LinkStatusResources.h"

#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/resource.h"

void RegisterLinkStatusTemplates()
{
    platform::RegisterDialogTemplate(IDD_LINKSTATUS_PAGE, EmptyPageTemplate("Link Status"));
}

void AddLinkStatusStrings(std::map<UINT, std::string>& strings) {}
