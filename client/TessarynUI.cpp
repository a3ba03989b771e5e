// TessarynUI: the wireless client in the notification area.

#include "client/app/ProgramObjects.h"
#include "resources/TessarynUI/TessarynUIResources.h"

int main(int argc, char** argv)
{
    // The framework finds the application object through AfxGetApp(); the reference keeps
    // the program-wide objects (defined in the client library) linked into the program.
    CWinApp* volatile pApp = &theApp;
    (void)pApp;
    RegisterTessarynUIResources();
    return AfxWinMain(argc, argv);
}
