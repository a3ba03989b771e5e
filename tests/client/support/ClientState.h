#pragma once
// The program-wide state of TessarynUI as tests of its parts want it: the default adapter of
// the test machine selected under Vista on the manual clock, the program folder current, no
// monitor window; and everything the apply leaves behind given back afterwards.

#include "adapter/driver/DriverRequest.h"
#include "adapter/system/OsVersion.h"
#include "client/access/StationProfile.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "platform/Windows.h"
#include "platform/ui/Clock.h"
#include "tests/support/SelectedAdapter.h"

#include <filesystem>
#include <string>

namespace testing_support
{

// Returns the adapter's NetCfgInstanceId; empty when the program folder can't be made current.
inline std::string PrepareClientState(const machine::Machine& m)
{
    platform::UseManualClock(1000);
    OsVersionCode = 11;
    g_nChipType = 8;
    std::string id = SelectDefaultAdapter(m);
    SelectDriverKeyOf(m, id);
    std::filesystem::create_directories(m.driveDir('C') / "Program Files" / "Tessaryn");
    if (!SetCurrentDirectoryA("C:\\Program Files\\Tessaryn"))
        return {};
    g_pHideDlg = NULL;
    return id;
}

// The queue, the current profile, the retry queue and the certificate buffers, freed.
inline void ReleaseClientState()
{
    ClearActionQueue();
    FreeStationProfile(g_pCurrentProfile);
    g_pCurrentProfile = NULL;
    ClearRetryQueue();
    SetCertDataLength(&g_pClientCertData, &g_nClientCertLen, 0);
    SetCertDataLength(&g_pServerCertData, &g_nServerCertLen, 0);
}

} // namespace testing_support
