// The program-wide objects live in this one file so that they are constructed in this
// order, before the application runs, and destroyed in reverse order at exit.

#include "client/app/ProgramObjects.h"

#include "adapter/driver/DriverRequest.h"
#include "adapter/system/Wow64.h"
#include "client/access/AdapterState.h"
#include "client/monitor/ActionQueue.h"
#include "client/profiles/SelCertDlg.h"

namespace
{

HANDLE CreateProfileEditorEvent()
{
    return CreateEventA(NULL, FALSE, FALSE, NULL);
}

} // namespace

CSelCertDlg g_SelCertDlg;
CString g_strNetCfgInstanceId;
CSetInformationArray RetryQueue;
CActionArray ActionQueue;
CString g_strDriverKey;
PFN_IsWow64Process g_pfnIsWow64Process =
    reinterpret_cast<PFN_IsWow64Process>(Kernel32Function("IsWow64Process"));
PFN_Wow64EnableWow64FsRedirection g_pfnWow64EnableWow64FsRedirection =
    reinterpret_cast<PFN_Wow64EnableWow64FsRedirection>(
        Kernel32Function("Wow64EnableWow64FsRedirection"));
HANDLE g_evtProfileEditor = CreateProfileEditorEvent();
CString g_strQosDlsText;

CVnConfigApp theApp;
