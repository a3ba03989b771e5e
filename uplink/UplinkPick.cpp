// UplinkPick: picks the connection that Internet Connection Sharing shares with the wireless
// adapter's connection.

#include "resources/UplinkPick/UplinkPickResources.h"
#include "uplink/UplinkPickApp.h"

int main(int argc, char** argv)
{
    // The reference keeps the application object (defined in the library) in the program.
    CWinApp* volatile pApp = &theApp;
    (void)pApp;
    RegisterUplinkPickResources();
    return AfxWinMain(argc, argv);
}
