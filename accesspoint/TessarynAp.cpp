// TessarynAp: the wireless adapter as a software access point, in the notification area.

#include "accesspoint/app/ProgramObjects.h"
#include "resources/TessarynAp/TessarynApResources.h"

int main(int argc, char** argv)
{
    // The framework finds the application object through AfxGetApp(); the reference keeps the
    // program-wide objects (defined in the program's library) linked into the program.
    CWinApp* volatile pApp = &theApp;
    (void)pApp;
    RegisterTessarynApResources();
    return AfxWinMain(argc, argv);
}
