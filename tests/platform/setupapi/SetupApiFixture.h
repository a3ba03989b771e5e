#pragma once
// A machine whose network devices the test chooses, and helpers that read a set the way the
// programs do.

#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "platform/setupapi/PropertyFaults.h"
#include "platform/setupapi/SetupApi.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace setupapi_tests
{

namespace dev = machine::devices;

class SetupApiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Start from no devices, whatever the default image holds.
        for (const auto& d : dev::ListDevices(m_machine.machine()))
            dev::RemoveDevice(m_machine.machine(), d.instanceId);
    }
    void TearDown() override
    {
        platform::setupapi::ClearPropertyFaults();
        EXPECT_EQ(platform::OpenDeviceInfoSetCount(), 0u);
        EXPECT_EQ(platform::OpenRegistryKeyCount(), 0u);
    }

    dev::NetDevice install(dev::NetDevice d)
    {
        return dev::InstallDevice(m_machine.machine(), std::move(d));
    }

    testing_support::TempMachine m_machine;
};

inline SP_DEVINFO_DATA memberOf(HDEVINFO set, DWORD index)
{
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof(data);
    EXPECT_TRUE(SetupDiEnumDeviceInfo(set, index, &data)) << "member " << index;
    return data;
}

inline HDEVINFO netDevices(DWORD flags = DIGCF_PRESENT)
{
    GUID guid{};
    DWORD required = 0;
    EXPECT_TRUE(SetupDiClassGuidsFromNameA("Net", &guid, 1, &required));
    HDEVINFO set = SetupDiGetClassDevsA(&guid, nullptr, 0, flags);
    EXPECT_NE(set, INVALID_HANDLE_VALUE);
    return set;
}

// The property's bytes, or "" with the error in `error`.
struct Property
{
    bool ok = false;
    DWORD type = 0;
    DWORD required = 0;
    DWORD error = 0;
    std::string bytes;
};

inline Property readProperty(HDEVINFO set, SP_DEVINFO_DATA& data, DWORD property,
                             DWORD bufferSize = 256)
{
    Property p;
    std::vector<BYTE> buffer(bufferSize, 0);
    SetLastError(0);
    p.ok = SetupDiGetDeviceRegistryPropertyA(set, &data, property, &p.type,
                                             bufferSize ? buffer.data() : nullptr, bufferSize,
                                             &p.required) != FALSE;
    p.error = GetLastError();
    if (p.ok)
        p.bytes.assign(reinterpret_cast<const char*>(buffer.data()), p.required);
    return p;
}

// Instance IDs of the set's members, in order.
inline std::vector<std::string> instanceIds(HDEVINFO set)
{
    std::vector<std::string> ids;
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof(data);
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &data); ++i)
    {
        char id[200] = {};
        EXPECT_TRUE(SetupDiGetDeviceInstanceIdA(set, &data, id, sizeof(id), nullptr));
        ids.push_back(id);
    }
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
    return ids;
}

} // namespace setupapi_tests
