#include "machine/SystemInfo.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/RequestLog.h"
#include "platform/Windows.h"
#include "tests/support/InOtherProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace std::string_literals;
namespace devices = machine::devices;
namespace mp = machine::miniport;

namespace
{

const devices::NetDevice kAdapter = devices::DefaultAdapter();

HANDLE openPath(const std::string& path)
{
    return CreateFileA(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
}

HANDLE openAdapter()
{
    return openPath("\\\\.\\" + kAdapter.netCfgInstanceId);
}

// One request as the client's driver layer makes it: open, control, close.
BOOL oidRequest(DWORD oid, void* buffer, DWORD length, DWORD* returned)
{
    HANDLE h = openAdapter();
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    *returned = 0;
    BOOL ok = DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, buffer, length, returned,
                              nullptr);
    DWORD error = GetLastError();
    CloseHandle(h);
    SetLastError(error);
    return ok;
}

TEST(AdapterDevice, OpensWhilePresentAndNotRefused)
{
    testing_support::TempMachine m;
    std::string lower = "\\\\.\\" + kAdapter.netCfgInstanceId;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    struct Case
    {
        const char* what;
        void (*prepare)(const machine::Machine&);
        std::string path;
        bool opens;
    } cases[] = {
        {"present", [](const machine::Machine&) {}, "\\\\.\\" + kAdapter.netCfgInstanceId, true},
        {"any case", [](const machine::Machine&) {}, lower, true},
        {"unknown", [](const machine::Machine&) {}, "\\\\.\\{00000000-0000-0000-0000-000000000000}",
         false},
        {"unplugged",
         [](const machine::Machine& mc)
         { devices::SetDevicePresent(mc, kAdapter.instanceId, false); },
         "\\\\.\\" + kAdapter.netCfgInstanceId, false},
        {"replugged",
         [](const machine::Machine& mc)
         { devices::SetDevicePresent(mc, kAdapter.instanceId, true); },
         "\\\\.\\" + kAdapter.netCfgInstanceId, true},
        {"open refused",
         [](const machine::Machine& mc)
         { mp::InjectOpenFailure(mc, kAdapter.netCfgInstanceId, true); },
         "\\\\.\\" + kAdapter.netCfgInstanceId, false},
        {"refusal cleared",
         [](const machine::Machine& mc) { mp::ClearDriverFaults(mc, kAdapter.netCfgInstanceId); },
         "\\\\.\\" + kAdapter.netCfgInstanceId, true},
        {"family name off 98/Me", [](const machine::Machine&) {}, "\\\\.\\KQ3400", false},
        {"removed",
         [](const machine::Machine& mc) { devices::RemoveDevice(mc, kAdapter.instanceId); },
         "\\\\.\\" + kAdapter.netCfgInstanceId, false},
    };
    std::size_t handles = platform::OpenHandleCount();
    for (const auto& c : cases)
    {
        c.prepare(m.machine());
        SetLastError(0);
        HANDLE h = openPath(c.path);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens) << c.what;
        if (h != INVALID_HANDLE_VALUE)
        {
            EXPECT_TRUE(CloseHandle(h)) << c.what;
            EXPECT_FALSE(CloseHandle(h)) << c.what;
        }
        else
            EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND) << c.what;
    }
    EXPECT_EQ(platform::OpenHandleCount(), handles);
}

TEST(AdapterDevice, FamilyNamesOpenOn98AndMe)
{
    testing_support::TempMachine m;
    machine::SystemInfo info = machine::LoadSystemInfo(m.machine());
    info.platformId = 1;
    info.majorVersion = 4;
    info.minorVersion = 90;
    machine::SaveSystemInfo(m.machine(), info);
    devices::InstallDevice(m.machine(), devices::TessarynPciAdapter(4));

    HANDLE h = openPath("\\\\.\\kq21");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD oid = 0xFF0C0006, channel = 0, returned = 0;
    EXPECT_TRUE(DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, &channel, 4, &returned,
                                nullptr));
    CloseHandle(h);
    EXPECT_EQ(channel, 6u);
    // The request reached the PCI card's driver, not the USB adapter's.
    EXPECT_EQ(
        mp::ReadRequestLog(m.machine(), devices::TessarynPciAdapter(4).netCfgInstanceId).size(),
        1u);
    EXPECT_TRUE(mp::ReadRequestLog(m.machine(), kAdapter.netCfgInstanceId).empty());
    EXPECT_EQ(openPath("\\\\.\\KQ1400"), INVALID_HANDLE_VALUE);
}

TEST(AdapterDevice, SetsAndQueriesTravelInTheOutputBuffer)
{
    testing_support::TempMachine m;
    BYTE advanced[32];
    for (int i = 0; i < 32; ++i)
        advanced[i] = static_cast<BYTE>(i + 1);
    DWORD returned = 99;
    ASSERT_TRUE(oidRequest(0x0DF10111, advanced, sizeof advanced, &returned));
    EXPECT_EQ(returned, 32u);

    BYTE answer[40];
    std::memset(answer, 0xAA, sizeof answer);
    ASSERT_TRUE(oidRequest(0x0D710111, answer, sizeof answer, &returned));
    EXPECT_EQ(returned, 32u);
    EXPECT_EQ(std::memcmp(answer, advanced, 32), 0);
    EXPECT_EQ(answer[32], 0xAA);

    // The set made in another process is what this one reads.
    EXPECT_EQ(testing_support::InOtherProcess(
                  []
                  {
                      DWORD mode[2] = {0, 2}, n = 0;
                      return oidRequest(0xFF810308, mode, 8, &n) == TRUE;
                  }),
              0);
    DWORD mode[2] = {7, 7};
    ASSERT_TRUE(oidRequest(0x0D010308, mode, 8, &returned));
    EXPECT_EQ(mode[1], 2u);

    // A register read carries its request in the buffer.
    DWORD reg[3] = {3, 0x36, 0};
    ASSERT_TRUE(oidRequest(0xFF0C0008, reg, 12, &returned));
    EXPECT_EQ(reg[0], 3u);
    EXPECT_EQ(reg[1], 0x36u);

    // What the driver writes into a set's buffer reaches the caller's buffer.
    mp::InjectSetScribble(m.machine(), kAdapter.netCfgInstanceId, 0x0DF1012A);
    DWORD apsd = 0x1F;
    ASSERT_TRUE(oidRequest(0x0DF1012A, &apsd, 4, &returned));
    EXPECT_EQ(apsd, ~0x1Fu);

    // Zero-length sets pass no buffer.
    HANDLE h = openAdapter();
    DWORD oid = 0xFF8C000C;
    EXPECT_TRUE(
        DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, nullptr, 0, &returned, nullptr));
    EXPECT_EQ(returned, 0u);
    CloseHandle(h);
}

TEST(AdapterDevice, FailuresReachTheCaller)
{
    testing_support::TempMachine m;
    const std::string id = kAdapter.netCfgInstanceId;
    DWORD value = 0, returned = 5;
    struct Case
    {
        const char* what;
        DWORD oid, length, error;
    } cases[] = {
        {"unknown code", 0x0D7101F0, 4, ERROR_NOT_SUPPORTED},
        {"short buffer", 0xFF0C0002, 2, ERROR_INSUFFICIENT_BUFFER},
    };
    for (const auto& c : cases)
    {
        returned = 5;
        EXPECT_FALSE(oidRequest(c.oid, &value, c.length, &returned)) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
        EXPECT_EQ(returned, 0u) << c.what;
    }
    mp::InjectRequestFault(m.machine(), id, 0xFF0C0010, -1);
    EXPECT_FALSE(oidRequest(0xFF0C0010, &value, 4, &returned));
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);

    HANDLE h = openAdapter();
    DWORD oid = 0xFF0C0002;
    // Another control code, a missing OID, a bad handle.
    EXPECT_FALSE(DeviceIoControl(h, 0x80000000u, &oid, 4, &value, 4, &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FUNCTION);
    EXPECT_FALSE(
        DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 2, &value, 4, &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(
        DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, nullptr, 4, &returned, nullptr));
    EXPECT_FALSE(DeviceIoControl(0x7777, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, &value, 4,
                                 &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    // Unplugged under an open handle: the requests fail, the handle still closes.
    devices::SetDevicePresent(m.machine(), kAdapter.instanceId, false);
    EXPECT_FALSE(
        DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, &value, 4, &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_TRUE(CloseHandle(h));

    // What reached the driver, in order; refused calls never did.
    auto log = mp::ReadRequestLog(m.machine(), id);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].code, 0x0D7101F0u);
    EXPECT_EQ(log[1].length, 2u);
    EXPECT_EQ(log[2].error, ERROR_GEN_FAILURE);
}

TEST(AdapterDevice, TheDriverLogShowsOpensRequestsAndCloses)
{
    testing_support::TempMachine m;
    const std::string id = kAdapter.netCfgInstanceId;
    DWORD value = 0, returned = 0;
    ASSERT_TRUE(oidRequest(0xFF0C0006, &value, 4, &returned));
    mp::InjectOpenFailure(m.machine(), id, true);
    EXPECT_EQ(openAdapter(), INVALID_HANDLE_VALUE);
    mp::ClearDriverFaults(m.machine(), id);
    // An input longer than the identifier reaches the driver with its length.
    HANDLE h = openAdapter();
    BYTE input[8] = {0x06, 0x00, 0x0C, 0xFF, 1, 2, 3, 4};
    ASSERT_TRUE(DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, input, sizeof input, &value, 4,
                                &returned, nullptr));
    CloseHandle(h);

    const auto lines = mp::ReadDriverLog(m.machine(), id);
    ASSERT_EQ(lines.size(), 7u);
    const std::string path = "path=\\\\.\\" + id;
    auto handleOf = [](const std::string& line)
    {
        auto at = line.find("handle=") + 7;
        return line.substr(at, line.find(' ', at) - at);
    };
    EXPECT_EQ(lines[0].rfind("open handle=", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(path), std::string::npos) << lines[0];
    const std::string first = handleOf(lines[0]);
    EXPECT_EQ(lines[1].rfind("ioctl=00170002 inlen=4 handle=" + first + " FF0C0006 len=4 ", 0), 0u)
        << lines[1];
    EXPECT_EQ(lines[2], "close handle=" + first);
    EXPECT_EQ(lines[3], "open handle=- " + path + " fail=2");
    const std::string second = handleOf(lines[4]);
    EXPECT_EQ(lines[5].rfind("ioctl=00170002 inlen=8 handle=" + second + " FF0C0006 ", 0), 0u)
        << lines[5];
    EXPECT_EQ(lines[6], "close handle=" + second);

    // The requests' readers see the requests alone, with what the new fields hold.
    const auto requests = mp::ReadRequestLog(m.machine(), id);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].inLength, 8u);
    EXPECT_EQ(requests[1].control, IOCTL_NDIS_QUERY_GLOBAL_STATS);
    EXPECT_EQ(requests[1].handle, second);
}

TEST(AdapterDevice, AnOverlappedRequestCompletesAtOnce)
{
    testing_support::TempMachine m;
    static_assert(sizeof(OVERLAPPED) == 20);
    HANDLE h = openAdapter();
    OVERLAPPED ov{};
    DWORD oid = 0x0D010702, returned = 0;
    BYTE mac[6] = {};
    EXPECT_TRUE(DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, mac, 6, &returned, &ov));
    EXPECT_EQ(ov.InternalHigh, 6u);
    EXPECT_EQ(mac[0], 0x02);
    CloseHandle(h);
}

} // namespace
