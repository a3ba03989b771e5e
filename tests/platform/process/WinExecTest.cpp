// Program starts through WinExec and ShellExecuteA on a machine: what resolves, what starts,
// what is logged, and the stand-ins' effects.

#include "platform/Windows.h"

#include "machine/FileStore.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/OidTable.h"
#include "machine/network/ConnectionView.h"
#include "machine/network/IpconfigReport.h"
#include "machine/programs/ProgramFiles.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "machine/registry/Registry.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

namespace programs = machine::programs;
namespace network = machine::network;
namespace miniport = machine::miniport;

class WinExecTest : public ::testing::Test
{
protected:
    // No test here runs a second program: the ones the mode switch hands over to are recorded.
    WinExecTest()
    {
        programs::SetRecordOnly(m.machine(), "TessarynAp", true);
        programs::SetRecordOnly(m.machine(), "TessarynUI", true);
    }

    testing_support::TempMachine m;

    std::vector<std::string> log() const { return programs::ReadProgramLog(m.machine()); }
    std::filesystem::path programFolder() const
    {
        return m.cDrive() / "Program Files" / "Tessaryn";
    }
    std::filesystem::path report() const { return programFolder() / "NicReport.txt"; }
    std::string expectedReport() const
    {
        // The report shows the adapters as they are, as every view does.
        return network::FormatIpconfigReport(network::ConnectionsAsSeen(m.machine()));
    }
};

TEST_F(WinExecTest, TheReportBatchRunsHiddenAndWritesItsReportBesideItself)
{
    EXPECT_GT(WinExec("\"NicReport.bat\" ", SW_HIDE), 31u);
    EXPECT_EQ(log(), (std::vector<std::string>{
                         "WinExec [\"NicReport.bat\" ] show=0 dir=[C:\\Program Files\\Tessaryn] "
                         "result=33",
                         "NicReport wrote [C:\\Program Files\\Tessaryn\\NicReport.txt]",
                     }));
    EXPECT_EQ(machine::ReadWholeFile(report()), expectedReport());
}

TEST_F(WinExecTest, TheReportGoesToTheBatchFilesFolderWhateverTheCurrentDirectory)
{
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Users\\Owner"));
    // A bare name is found in the program's own folder.
    EXPECT_EQ(WinExec("NicReport.bat", SW_HIDE), 33u);
    EXPECT_TRUE(std::filesystem::exists(report()));
    EXPECT_EQ(log().front(), "WinExec [NicReport.bat] show=0 dir=[C:\\Users\\Owner] result=33");
}

TEST_F(WinExecTest, ResultsFollowTheFilesOnTheDrive)
{
    machine::WriteFileAtomically(programFolder() / "readme.exe", "just text\r\n");
    std::filesystem::create_directories(m.cDrive() / "Tools");
    machine::WriteFileAtomically(m.cDrive() / "Tools" / "mytool.exe",
                                 programs::PlaceholderText("lanmeld", "a copy"));
    struct Case
    {
        const char* line;
        UINT result;
    } cases[] = {
        {"\"VnSwap.exe\" ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\"", 33}, // beside us
        {"lanmeld remove", 33},                                                   // .exe added
        {"\"LANMELD.EXE\" remove", 33},                                           // any case
        {"\"NoSuchProgram.exe\"", ERROR_FILE_NOT_FOUND},
        {"NoSuchProgram", ERROR_FILE_NOT_FOUND},
        {"\"C:\\No Folder\\x.exe\"", ERROR_PATH_NOT_FOUND},
        {"C:\\NoFolder\\x.exe", ERROR_PATH_NOT_FOUND},
        {"\"C:\\Program Files\\Tessaryn\\Nothing.exe\"", ERROR_FILE_NOT_FOUND},
        {"readme.exe", ERROR_BAD_FORMAT},
        {"mytool.exe", ERROR_FILE_NOT_FOUND}, // not on the search path
        {"C:\\Tools\\mytool.exe x", 33},
        {"..\\..\\Tools\\mytool", 33}, // relative to the current directory
        // Unquoted with blanks: the shortest prefix that is a file.
        {"C:\\Program Files\\Tessaryn\\NicReport.bat now", 33},
        {"", ERROR_FILE_NOT_FOUND},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WinExec(c.line, SW_SHOWNORMAL), c.result) << c.line;
}

TEST_F(WinExecTest, TheMachinesPathIsSearchedLast)
{
    std::filesystem::create_directories(m.cDrive() / "Tools");
    machine::WriteFileAtomically(m.cDrive() / "Tools" / "mytool.exe",
                                 programs::PlaceholderText("VnSwap", "a copy"));
    ASSERT_TRUE(machine::registry::SetString(
        m.machine(),
        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
        "Path", "%SystemRoot%\\system32;%SystemRoot%;C:\\Tools"));
    EXPECT_EQ(WinExec("mytool a b", SW_SHOW), 33u);
    // What runs is the program the file names.
    EXPECT_EQ(log().back(), "VnSwap ran [a b]");
    EXPECT_EQ(platform::ResolveProgramFile("mytool").path, "C:\\Tools\\mytool.exe");
    // The client looks for the mode switch and the access-point program beside itself.
    EXPECT_EQ(platform::ResolveProgramFile("VnSwap").path,
              "C:\\Program Files\\Tessaryn\\VnSwap.exe");
    EXPECT_EQ(platform::ResolveProgramFile("HubDesk").path,
              "C:\\Program Files\\Tessaryn\\HubDesk.exe");
}

class ModeSwitchTest : public WinExecTest
{
protected:
    // The default USB adapter and a PCI card, both with drivers that have been started.
    ModeSwitchTest()
        : usb(machine::devices::ListDevices(m.machine()).at(0)),
          pci(machine::devices::InstallDevice(m.machine(), machine::devices::TessarynPciAdapter(4)))
    {
        for (const auto* d : {&usb, &pci})
            miniport::ChangeAdapterState(m.machine(), d->netCfgInstanceId,
                                         [](miniport::AdapterState& s)
                                         { s.setU32(miniport::oid::StartMarker, 1); });
    }
    std::uint32_t marker(const machine::devices::NetDevice& d) const
    {
        return miniport::LoadAdapterState(m.machine(), d.netCfgInstanceId)
            .u32(miniport::oid::StartMarker);
    }

    machine::devices::NetDevice usb, pci;
};

TEST_F(ModeSwitchTest, OnReloadsTheNamedAdapterAndStartsTheAccessPoint)
{
    EXPECT_EQ(
        WinExec("\"VnSwap.exe\" ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\"", SW_MINIMIZE),
        33u);
    EXPECT_EQ(marker(usb), 0u);
    EXPECT_EQ(marker(pci), 1u);
    EXPECT_EQ(log(),
              (std::vector<std::string>{
                  "WinExec [\"VnSwap.exe\" ON TessarynUI TessarynAp \"Tessaryn "
                  "KWF-9310USB\"] show=6 dir=[C:\\Program Files\\Tessaryn] result=33",
                  "VnSwap ran [ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\"]",
                  "VnSwap reloaded the driver of [Tessaryn KWF-9310USB Wireless LAN Adapter] " +
                      usb.netCfgInstanceId,
                  "VnSwap starts [C:\\Program Files\\Tessaryn\\HubDesk.exe]",
                  "WinExec [\"C:\\Program Files\\Tessaryn\\HubDesk.exe\"] show=1 dir=[C:\\Program "
                  "Files\\Tessaryn] result=33",
                  "HubDesk ran []",
              }));
}

TEST_F(ModeSwitchTest, OffWithAnUnknownAdapterNameReloadsEveryAdapterAndStartsTheClient)
{
    EXPECT_EQ(
        WinExec("\"VnSwap.exe\" OFF TessarynUI TessarynAp \"Tessaryn Wireless\"", SW_MINIMIZE),
        33u);
    EXPECT_EQ(marker(usb), 0u);
    EXPECT_EQ(marker(pci), 0u);
    auto lines = log();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], "VnSwap starts [C:\\Program Files\\Tessaryn\\TessarynUI.exe]");
    EXPECT_EQ(lines[6], "TessarynUI ran []");

    // A start that fails leaves the switch done and the failure in the log.
    programs::InjectStartFailure(m.machine(), "HubDesk.exe", 2, 1);
    EXPECT_EQ(WinExec("VnSwap on a b c", SW_MINIMIZE), 33u);
    EXPECT_EQ(log().back(), "WinExec [\"C:\\Program Files\\Tessaryn\\HubDesk.exe\"] show=1 "
                            "dir=[C:\\Program Files\\Tessaryn] result=2");
}

TEST_F(ModeSwitchTest, AnyOtherCommandLineIsOnlyRecorded)
{
    struct Case
    {
        const char* line;
        const char* recorded;
    } cases[] = {
        {"\"VnSwap.exe\" ON", "VnSwap ran [ON]"},
        {"\"VnSwap.exe\" OFF TessarynUI TessarynAp", "VnSwap ran [OFF TessarynUI TessarynAp]"},
        {"VnSwap ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\" x",
         "VnSwap ran [ON TessarynUI TessarynAp \"Tessaryn KWF-9310USB\" x]"},
        {"VnSwap STANDBY TessarynUI TessarynAp Tessaryn",
         "VnSwap ran [STANDBY TessarynUI TessarynAp Tessaryn]"},
        {"VnSwap ON \"\" TessarynAp Tessaryn", "VnSwap ran [ON \"\" TessarynAp Tessaryn]"},
        {"\"lanmeld.exe\" remove", "lanmeld ran [remove]"},
    };
    for (const auto& c : cases)
    {
        programs::ClearProgramLog(m.machine());
        EXPECT_EQ(WinExec(c.line, SW_MINIMIZE), 33u) << c.line;
        auto got = log();
        ASSERT_EQ(got.size(), 2u) << c.line;
        EXPECT_EQ(got[1], c.recorded);
    }
    EXPECT_EQ(marker(usb), 1u);
    EXPECT_EQ(marker(pci), 1u);
}

TEST_F(WinExecTest, ARemovedProgramFileCannotStart)
{
    std::filesystem::remove(programFolder() / "NicReport.bat");
    EXPECT_EQ(WinExec("\"NicReport.bat\" ", SW_HIDE), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(report()));
    EXPECT_EQ(log(), (std::vector<std::string>{"WinExec [\"NicReport.bat\" ] show=0 "
                                               "dir=[C:\\Program Files\\Tessaryn] result=2"}));
}

TEST_F(WinExecTest, AnInjectedFailureHitsOnceOrAlways)
{
    programs::InjectStartFailure(m.machine(), "NicReport.bat", ERROR_FILE_NOT_FOUND, 1);
    EXPECT_EQ(WinExec("\"NicReport.bat\" ", SW_HIDE), 2u);
    EXPECT_FALSE(std::filesystem::exists(report()));
    EXPECT_EQ(WinExec("\"NicReport.bat\" ", SW_HIDE), 33u);
    EXPECT_TRUE(std::filesystem::exists(report()));

    // By name without the extension, and "out of resources" (0).
    programs::InjectStartFailure(m.machine(), "VnSwap", 0, -1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(WinExec("\"VnSwap.exe\" OFF", SW_MINIMIZE), 0u);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(log().back(),
              "WinExec [\"VnSwap.exe\" OFF] show=6 dir=[C:\\Program Files\\Tessaryn] result=0");
    programs::ClearStartFailures(m.machine());
    EXPECT_EQ(WinExec("\"VnSwap.exe\" OFF", SW_MINIMIZE), 33u);

    // Any program.
    programs::InjectStartFailure(m.machine(), "*", 5, 1);
    EXPECT_EQ(WinExec("lanmeld", SW_HIDE), 5u);
    EXPECT_EQ(WinExec("lanmeld", SW_HIDE), 33u);
}

TEST_F(WinExecTest, AReportThatIsToWriteNothingLeavesNoFile)
{
    programs::SetReportWritesNothing(m.machine(), true);
    EXPECT_EQ(WinExec("\"NicReport.bat\" ", SW_HIDE), 33u);
    EXPECT_FALSE(std::filesystem::exists(report()));
    EXPECT_EQ(log().back(), "NicReport wrote nothing");
}

TEST_F(WinExecTest, ADelayedReportAppearsWhenTheClockHasPassedItsDelay)
{
    platform::UseManualClock(0);
    programs::SetReportDelay(m.machine(), 3000);
    EXPECT_EQ(WinExec("\"NicReport.bat\" ", SW_HIDE), 33u);
    EXPECT_FALSE(std::filesystem::exists(report()));
    // The 2-second wait of the program that ran it is not long enough.
    Sleep(2000);
    EXPECT_EQ(platform::Now(), 2000u);
    EXPECT_FALSE(std::filesystem::exists(report()));
    Sleep(1000);
    platform::WaitForPendingReports();
    EXPECT_EQ(machine::ReadWholeFile(report()), expectedReport());
}

TEST_F(WinExecTest, ShellExecuteOpensWebAddressesInTheBrowser)
{
    const char url[] = "http://www.tessaryn.example/support/";
    EXPECT_EQ(ShellExecuteA(0, "open", url, nullptr, nullptr, SW_SHOWNORMAL), 42u);
    EXPECT_EQ(log(), (std::vector<std::string>{
                         "ShellExecute open [http://www.tessaryn.example/support/] params=[] "
                         "show=1 dir=[C:\\Program Files\\Tessaryn] result=42",
                         "WebBrowser opened [http://www.tessaryn.example/support/]",
                     }));
    EXPECT_EQ(ShellExecuteA(0, "print", url, nullptr, nullptr, SW_SHOWNORMAL), SE_ERR_NOASSOC);
    std::filesystem::remove(m.cDrive() / "Program Files" / "Web Browser" / "browser.exe");
    EXPECT_EQ(ShellExecuteA(0, "open", url, nullptr, nullptr, SW_SHOWNORMAL), SE_ERR_NOASSOC);
}

TEST_F(WinExecTest, ShellExecuteStartsProgramsWithTheirFullPathQuoted)
{
    EXPECT_EQ(ShellExecuteA(0, nullptr, "VnSwap.exe", "ON a b", nullptr, SW_MINIMIZE), 42u);
    EXPECT_EQ(log().back(), "VnSwap ran [ON a b]");
    // The file is looked for from the given directory.
    EXPECT_EQ(
        ShellExecuteA(0, "open", "NicReport.bat", nullptr, "C:\\Program Files\\Tessaryn", SW_HIDE),
        42u);
    EXPECT_TRUE(std::filesystem::exists(report()));
    EXPECT_EQ(ShellExecuteA(0, "open", "C:\\nowhere\\x.exe", nullptr, nullptr, SW_SHOW),
              SE_ERR_PNF);
    EXPECT_EQ(ShellExecuteA(0, "open", "missing.exe", nullptr, nullptr, SW_SHOW), SE_ERR_FNF);
    // The current directory is the caller's again afterwards.
    EXPECT_EQ(platform::CurrentDirectory(), "C:\\Program Files\\Tessaryn");
}

TEST_F(WinExecTest, SleepFollowsTheManualClock)
{
    platform::UseManualClock(100);
    Sleep(2000);
    EXPECT_EQ(platform::Now(), 2100u);
}

} // namespace

namespace
{

TEST_F(WinExecTest, AProjectProgramCanBeOnlyRecorded)
{
    programs::SetRecordOnly(m.machine(), "UplinkPick", true);
    EXPECT_EQ(WinExec("\"UplinkPick.exe\" ICS_DOWN", SW_HIDE), 33u);
    EXPECT_EQ(WinExec("UplinkPick.exe", SW_SHOW), 33u);
    EXPECT_EQ(log(), (std::vector<std::string>{
                         "WinExec [\"UplinkPick.exe\" ICS_DOWN] show=0 dir=[C:\\Program "
                         "Files\\Tessaryn] result=33",
                         "UplinkPick ran [ICS_DOWN]",
                         "WinExec [UplinkPick.exe] show=5 dir=[C:\\Program Files\\Tessaryn] "
                         "result=33",
                         "UplinkPick ran []",
                     }));
}

} // namespace
