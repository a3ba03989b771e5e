// The service manager calls as the programs make them: the client's start and stop of
// "Wlansvc", the access point's check of "WZCSVC", what a user who is no administrator may do,
// and handles that name the wrong thing.

#include "platform/Windows.h"
#include "platform/wlan/WlanApi.h"

#include "machine/SystemInfo.h"
#include "machine/services/ServiceTable.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

class ServiceControlTest : public ::testing::Test
{
protected:
    ServiceControlTest() { platform::UseManualClock(5000); }
    ~ServiceControlTest() override
    {
        platform::security::ResetTokenShape();
        EXPECT_EQ(platform::OpenServiceHandleCount(), 0u);
        EXPECT_EQ(platform::security::LiveSidCount(), 0u);
    }

    void changeSystem(void (*change)(machine::SystemInfo&)) const
    {
        machine::SystemInfo info = machine::LoadSystemInfo(m.machine());
        change(info);
        machine::SaveSystemInfo(m.machine(), info);
    }
    DWORD stateOf(SC_HANDLE service) const
    {
        SERVICE_STATUS status{};
        return QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
    }

    testing_support::TempMachine m;
};

TEST_F(ServiceControlTest, TheClientStopsAndRestartsTheWlanService)
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, 0u);
    SC_HANDLE service = OpenServiceA(manager, "Wlansvc", SERVICE_ALL_ACCESS);
    ASSERT_NE(service, 0u);

    SERVICE_STATUS status{};
    ASSERT_TRUE(QueryServiceStatus(service, &status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_RUNNING);
    EXPECT_EQ(status.dwControlsAccepted, SERVICE_ACCEPT_STOP);

    ASSERT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_STOP_PENDING);
    EXPECT_GT(status.dwWaitHint, 0u);
    EXPECT_FALSE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_CANNOT_ACCEPT_CTRL);
    ASSERT_TRUE(ChangeServiceConfigA(service, SERVICE_NO_CHANGE, SERVICE_DEMAND_START,
                                     SERVICE_NO_CHANGE, NULL, NULL, NULL, NULL, NULL, NULL, NULL));
    platform::AdvanceClock(machine::services::kTransitionMs);
    EXPECT_EQ(stateOf(service), SERVICE_STOPPED);
    EXPECT_FALSE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_NOT_ACTIVE);

    ASSERT_TRUE(StartServiceA(service, 0, NULL));
    EXPECT_EQ(stateOf(service), SERVICE_START_PENDING);
    EXPECT_FALSE(StartServiceA(service, 0, NULL));
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_ALREADY_RUNNING);
    ASSERT_TRUE(ChangeServiceConfigA(service, SERVICE_NO_CHANGE, SERVICE_AUTO_START,
                                     SERVICE_NO_CHANGE, NULL, NULL, NULL, NULL, NULL, NULL, NULL));
    platform::AdvanceClock(machine::services::kTransitionMs);
    EXPECT_EQ(stateOf(service), SERVICE_RUNNING);
    EXPECT_EQ(machine::services::FindService(m.machine(), "Wlansvc")->startType,
              SERVICE_AUTO_START);

    // Disabled: a start is refused. Only the start type may change.
    ASSERT_TRUE(ChangeServiceConfigA(service, SERVICE_NO_CHANGE, SERVICE_DISABLED,
                                     SERVICE_NO_CHANGE, NULL, NULL, NULL, NULL, NULL, NULL, NULL));
    ASSERT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    platform::AdvanceClock(machine::services::kTransitionMs);
    EXPECT_FALSE(StartServiceA(service, 0, NULL));
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_DISABLED);
    EXPECT_FALSE(ChangeServiceConfigA(service, SERVICE_NO_CHANGE, SERVICE_AUTO_START,
                                      SERVICE_NO_CHANGE, "C:\\evil.exe", NULL, NULL, NULL, NULL,
                                      NULL, NULL));
    EXPECT_EQ(machine::services::FindService(m.machine(), "Wlansvc")->startType, SERVICE_DISABLED);

    EXPECT_TRUE(CloseServiceHandle(service));
    EXPECT_TRUE(CloseServiceHandle(manager));
    EXPECT_FALSE(CloseServiceHandle(manager));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    auto log = machine::services::ReadServiceLog(m.machine());
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.front().find("OpenSCManagerA NULL NULL access=0x000F003F -> 0x"),
              std::string::npos)
        << log.front();
}

TEST_F(ServiceControlTest, AUserWhoIsNoAdministratorMayOnlyLook)
{
    struct Case
    {
        bool administrator;
        bool denyOnly; // a filtered token: the group is there but does not grant
        bool granted;
    } cases[] = {{true, false, true}, {true, true, false}, {false, false, false}};
    for (const auto& c : cases)
    {
        changeSystem(c.administrator ? +[](machine::SystemInfo& i) { i.administrator = true; }
                                     : +[](machine::SystemInfo& i) { i.administrator = false; });
        platform::security::TokenShape shape;
        shape.administratorsDenyOnly = c.denyOnly;
        platform::security::SetTokenShape(shape);

        SC_HANDLE all = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
        EXPECT_EQ(all != 0, c.granted);
        if (!c.granted)
        {
            EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
        }
        SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
        ASSERT_NE(manager, 0u);
        SC_HANDLE query = OpenServiceA(manager, "Wlansvc", SERVICE_QUERY_STATUS);
        ASSERT_NE(query, 0u);
        EXPECT_EQ(stateOf(query), SERVICE_RUNNING);
        // The handle carries only what was asked for.
        EXPECT_FALSE(StartServiceA(query, 0, NULL));
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
        SC_HANDLE full = OpenServiceA(manager, "Wlansvc", SERVICE_ALL_ACCESS);
        EXPECT_EQ(full != 0, c.granted);
        for (SC_HANDLE h : {all, manager, query, full})
            if (h != 0)
                CloseServiceHandle(h);
    }
    EXPECT_EQ(machine::services::FindService(m.machine(), "Wlansvc")->state, SERVICE_RUNNING);
}

TEST_F(ServiceControlTest, SystemsWithoutTheServiceOrWithoutAManager)
{
    changeSystem([](machine::SystemInfo& i) { i.majorVersion = 5, i.minorVersion = 1; });
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, 0u);
    EXPECT_EQ(OpenServiceA(manager, "Wlansvc", SERVICE_ALL_ACCESS), 0u);
    EXPECT_EQ(GetLastError(), ERROR_SERVICE_DOES_NOT_EXIST);
    SC_HANDLE wzc = OpenServiceA(manager, "WZCSVC", SERVICE_QUERY_STATUS);
    ASSERT_NE(wzc, 0u);
    EXPECT_EQ(stateOf(wzc), SERVICE_RUNNING);

    // Handles of the wrong kind, and names that reach nothing.
    SERVICE_STATUS status{};
    EXPECT_FALSE(QueryServiceStatus(manager, &status));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(OpenServiceA(wzc, "WZCSVC", SERVICE_QUERY_STATUS), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(OpenServiceA(manager, NULL, SERVICE_QUERY_STATUS), 0u);
    EXPECT_EQ(OpenSCManagerA("\\\\OTHERPC", NULL, SC_MANAGER_CONNECT), 0u);
    EXPECT_TRUE(CloseServiceHandle(wzc));
    EXPECT_TRUE(CloseServiceHandle(manager));

    changeSystem([](machine::SystemInfo& i) { i.platformId = 1, i.majorVersion = 4; });
    EXPECT_EQ(OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS), 0u);
    EXPECT_EQ(GetLastError(), ERROR_CALL_NOT_IMPLEMENTED);
}

} // namespace
