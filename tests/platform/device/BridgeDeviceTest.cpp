// The Ethernet bridge's device "\\.\NBRG" as the access-point program uses it: opened with and
// without FILE_FLAG_DELETE_ON_CLOSE, overlapped control requests with a manual-reset event, and
// what the driver answers, leaves pending or refuses, as the machine arranges it.

#include "machine/bridge/BridgeLog.h"
#include "machine/bridge/BridgeState.h"
#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

namespace bridge = machine::bridge;

constexpr DWORD kVersion = CTL_CODE(0x8000, 0, METHOD_BUFFERED, FILE_ANY_ACCESS);
constexpr DWORD kSwitch = CTL_CODE(0x8000, 1, METHOD_BUFFERED, FILE_ANY_ACCESS);
constexpr DWORD kState = CTL_CODE(0x8000, 2, METHOD_BUFFERED, FILE_ANY_ACCESS);
static_assert(kVersion == 0x80000000u && kSwitch == 0x80000004u && kState == 0x80000008u);

constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kUntouched = 0xA5A5A5A5u;

HANDLE openBridge(DWORD flags)
{
    return CreateFileA("\\\\.\\NBRG", 0, kShare, nullptr, OPEN_EXISTING, flags, 0);
}

// One request as the access-point program sends it: its own OVERLAPPED with a manual-reset
// event, and the answer read at once.
struct Sent
{
    BOOL ok = FALSE;
    DWORD error = 0;
    DWORD value = kUntouched; // the u32 buffer, in and out
    DWORD returned = kUntouched;
    OVERLAPPED overlapped{};
    bool signalled = false;
};

Sent send(HANDLE h, DWORD code, DWORD inSize, DWORD outSize, DWORD value = kUntouched)
{
    Sent s;
    s.value = value;
    s.overlapped.Internal = kUntouched;
    s.overlapped.InternalHigh = kUntouched;
    s.overlapped.hEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr); // set: the call resets it
    s.ok = DeviceIoControl(h, code, inSize != 0 ? &s.value : nullptr, inSize,
                           outSize != 0 ? &s.value : nullptr, outSize, &s.returned, &s.overlapped);
    s.error = GetLastError();
    s.signalled = WaitForSingleObject(s.overlapped.hEvent, 0) == WAIT_OBJECT_0;
    CloseHandle(s.overlapped.hEvent);
    return s;
}

class BridgeDeviceTest : public ::testing::Test
{
protected:
    void arrange(void (*change)(bridge::BridgeState&))
    {
        bridge::ChangeBridge(m.machine(), change);
    }
    std::vector<std::string> log() const { return bridge::ReadBridgeLog(m.machine()); }

    testing_support::TempMachine m;
};

TEST_F(BridgeDeviceTest, WithoutABridgeBothOpensFailAsForAMissingDevice)
{
    arrange([](bridge::BridgeState& b) { b.present = false; });
    for (DWORD flags : {FILE_FLAG_OVERLAPPED | FILE_FLAG_DELETE_ON_CLOSE, FILE_FLAG_OVERLAPPED})
    {
        SetLastError(0);
        EXPECT_EQ(openBridge(flags), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    }
    EXPECT_EQ(log(), (std::vector<std::string>{
                         "open - access=0x00000000 share=READ|WRITE "
                         "flags=OVERLAPPED|DELETE_ON_CLOSE failed 2",
                         "open - access=0x00000000 share=READ|WRITE flags=OVERLAPPED failed 2",
                     }));
}

// The start sequence with bridging off: version and state on the first handle, a second handle
// for the switch, closed at once, the first closed last. Every request completes at once.
TEST_F(BridgeDeviceTest, RequestsCompleteAtOnceAndAreLoggedInOrder)
{
    arrange([](bridge::BridgeState& b) { b.present = true; });
    HANDLE first = openBridge(FILE_FLAG_OVERLAPPED | FILE_FLAG_DELETE_ON_CLOSE);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    Sent version = send(first, kVersion, 4, 4, 0xFFFFFFFFu);
    EXPECT_TRUE(version.ok);
    EXPECT_EQ(version.value, 2u);
    EXPECT_EQ(version.returned, 4u);
    EXPECT_EQ(version.overlapped.Internal, 0u);
    EXPECT_EQ(version.overlapped.InternalHigh, 4u);
    EXPECT_TRUE(version.signalled);
    Sent state = send(first, kState, 0, 4);
    EXPECT_TRUE(state.ok);
    EXPECT_EQ(state.value, 0u);

    HANDLE second = openBridge(FILE_FLAG_OVERLAPPED | FILE_FLAG_DELETE_ON_CLOSE);
    ASSERT_NE(second, INVALID_HANDLE_VALUE);
    EXPECT_EQ(send(second, kVersion, 4, 4, 0xFFFFFFFFu).value, 2u);
    Sent on = send(second, kSwitch, 4, 0, 1);
    EXPECT_TRUE(on.ok);
    EXPECT_EQ(on.returned, 0u);
    EXPECT_EQ(on.overlapped.InternalHigh, 0u);
    EXPECT_TRUE(on.signalled);
    EXPECT_TRUE(CloseHandle(second));
    EXPECT_TRUE(bridge::LoadBridge(m.machine()).bridging);
    EXPECT_EQ(send(first, kState, 0, 4).value, 1u);
    EXPECT_TRUE(CloseHandle(first));

    EXPECT_EQ(log(),
              (std::vector<std::string>{
                  "open 1 access=0x00000000 share=READ|WRITE flags=OVERLAPPED|DELETE_ON_CLOSE",
                  "request 1 VERSION in=FFFFFFFF out=4 answered 02000000",
                  "request 1 STATE in=- out=4 answered 00000000",
                  "open 2 access=0x00000000 share=READ|WRITE flags=OVERLAPPED|DELETE_ON_CLOSE",
                  "request 2 VERSION in=FFFFFFFF out=4 answered 02000000",
                  "request 2 SWITCH in=01000000 out=0 answered -",
                  "close 2",
                  "request 1 STATE in=- out=4 answered 01000000",
                  "close 1",
              }));
}

TEST_F(BridgeDeviceTest, TheAnswersFollowTheArrangedVersionAndState)
{
    struct Case
    {
        std::uint32_t version;
        bool bridging;
    } cases[] = {{2, false}, {2, true}, {1, true}, {0xFFFFFFFFu, false}};
    for (const Case& c : cases)
    {
        bridge::ChangeBridge(m.machine(),
                             [&](bridge::BridgeState& b)
                             {
                                 b.present = true;
                                 b.version = c.version;
                                 b.bridging = c.bridging;
                             });
        HANDLE h = openBridge(FILE_FLAG_OVERLAPPED);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        EXPECT_EQ(send(h, kVersion, 4, 4, 0xFFFFFFFFu).value, c.version);
        EXPECT_EQ(send(h, kState, 0, 4).value, c.bridging ? 1u : 0u) << c.version;
        // Switching off is a request too; the state follows it.
        EXPECT_TRUE(send(h, kSwitch, 4, 0, 0).ok);
        EXPECT_EQ(send(h, kState, 0, 4).value, 0u);
        CloseHandle(h);
    }
}

// Checked as the driver checks them; a request that fails at once completes nothing: the
// OVERLAPPED is untouched and its event stays reset.
TEST_F(BridgeDeviceTest, WrongSizesAndUnknownCodesFailAsOnWindows)
{
    arrange([](bridge::BridgeState& b) { b.present = true; });
    struct Case
    {
        DWORD code, inSize, outSize;
        DWORD error;
    } cases[] = {
        {kVersion, 0, 4, ERROR_INVALID_PARAMETER},
        {kVersion, 3, 4, ERROR_INVALID_PARAMETER},
        {kVersion, 4, 2, ERROR_INSUFFICIENT_BUFFER},
        {kSwitch, 2, 0, ERROR_INVALID_PARAMETER},
        {kState, 0, 3, ERROR_INSUFFICIENT_BUFFER},
        {0x8000000Cu, 4, 4, ERROR_INVALID_FUNCTION},
        {IOCTL_NDIS_QUERY_GLOBAL_STATS, 4, 4, ERROR_INVALID_FUNCTION},
    };
    HANDLE h = openBridge(FILE_FLAG_OVERLAPPED);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    for (const Case& c : cases)
    {
        Sent s = send(h, c.code, c.inSize, c.outSize, 1);
        EXPECT_FALSE(s.ok) << std::hex << c.code << " " << c.inSize << " " << c.outSize;
        EXPECT_EQ(s.error, c.error) << std::hex << c.code;
        EXPECT_EQ(s.returned, 0u);
        EXPECT_EQ(s.overlapped.Internal, kUntouched);
        EXPECT_FALSE(s.signalled);
    }
    EXPECT_FALSE(bridge::LoadBridge(m.machine()).bridging);
    EXPECT_EQ(log().back(), "request 1 0x00170002 in=01000000 out=4 failed 1");

    // An overlapped handle needs its OVERLAPPED; a bridge taken away answers nothing more.
    DWORD value = 0, returned = 0;
    EXPECT_FALSE(DeviceIoControl(h, kState, nullptr, 0, &value, 4, &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    arrange([](bridge::BridgeState& b) { b.present = false; });
    EXPECT_EQ(send(h, kState, 0, 4).error, ERROR_DEVICE_NOT_CONNECTED);
    CloseHandle(h);
}

TEST_F(BridgeDeviceTest, APendingRequestIsLeftUnanswered)
{
    arrange(
        [](bridge::BridgeState& b)
        {
            b.present = true;
            b.pendingAll = true;
        });
    HANDLE h = openBridge(FILE_FLAG_OVERLAPPED | FILE_FLAG_DELETE_ON_CLOSE);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    for (DWORD code : {kVersion, kSwitch, kState})
    {
        Sent s = send(h, code, code == kState ? 0 : 4, code == kSwitch ? 0 : 4, 1);
        EXPECT_FALSE(s.ok);
        EXPECT_EQ(s.error, ERROR_IO_PENDING);
        EXPECT_EQ(s.value, 1u) << "nothing written";
        EXPECT_EQ(s.returned, 0u);
        EXPECT_EQ(s.overlapped.Internal, STATUS_PENDING);
        EXPECT_FALSE(s.signalled);
    }
    EXPECT_FALSE(bridge::LoadBridge(m.machine()).bridging) << "a pending switch switched";

    // Pending for one request only: the others answer.
    arrange(
        [](bridge::BridgeState& b)
        {
            b.pendingAll = false;
            b.pendingCodes = {bridge::kStateRequest};
        });
    EXPECT_TRUE(send(h, kVersion, 4, 4, 0xFFFFFFFFu).ok);
    EXPECT_EQ(send(h, kState, 0, 4).error, ERROR_IO_PENDING);
    CloseHandle(h);

    // A synchronous handle waits for its answer, which the driver gives.
    HANDLE sync = openBridge(0);
    ASSERT_NE(sync, INVALID_HANDLE_VALUE);
    DWORD value = 0, returned = 0;
    EXPECT_TRUE(DeviceIoControl(sync, kState, nullptr, 0, &value, 4, &returned, nullptr));
    EXPECT_EQ(returned, 4u);
    CloseHandle(sync);

    const auto lines = log();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1], "request 1 VERSION in=01000000 out=4 pending");
    EXPECT_EQ(lines[5], "request 1 STATE in=- out=4 pending");
    EXPECT_EQ(lines[7], "open 2 access=0x00000000 share=READ|WRITE flags=0");
}

TEST_F(BridgeDeviceTest, TheDeleteOnCloseOpenCanBeRefusedSoTheSecondOpenIsUsed)
{
    arrange(
        [](bridge::BridgeState& b)
        {
            b.present = true;
            b.refuseDeleteOnClose = true;
        });
    EXPECT_EQ(openBridge(FILE_FLAG_OVERLAPPED | FILE_FLAG_DELETE_ON_CLOSE), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    HANDLE h = openBridge(FILE_FLAG_OVERLAPPED);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(send(h, kVersion, 4, 4, 0xFFFFFFFFu).value, 2u);
    CloseHandle(h);
    EXPECT_EQ(log(), (std::vector<std::string>{
                         "open - access=0x00000000 share=READ|WRITE "
                         "flags=OVERLAPPED|DELETE_ON_CLOSE failed 5",
                         "open 1 access=0x00000000 share=READ|WRITE flags=OVERLAPPED",
                         "request 1 VERSION in=FFFFFFFF out=4 answered 02000000",
                         "close 1",
                     }));
}

} // namespace
