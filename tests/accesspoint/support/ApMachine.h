#pragma once
// TessarynAp's program-wide state as its tests want it: a fresh machine with the default
// adapter selected under Vista on the manual clock, the program folder current, the uplink
// selector's starts only recorded; and the levers and views of that machine the tests use.

#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/monitor/ApEventLog.h"
#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/DriverRequest.h"
#include "adapter/system/OsVersion.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/RequestLog.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "machine/registry/Registry.h"
#include "platform/Windows.h"
#include "platform/ui/Clock.h"
#include "resources/TessarynAp/TessarynApResources.h"
#include "tests/support/HexBytes.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ap_test
{

using machine::miniport::LogEntry;

class ApMachine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        platform::SetModuleName("TessarynAp");
        RegisterTessarynApResources();
        std::filesystem::create_directories(m_machine.cDrive() / "Program Files" / "Tessaryn");
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\Program Files\\Tessaryn"));
        OsVersionCode = 11;
        m_id = testing_support::SelectDefaultAdapter(machine());
        testing_support::SelectDriverKeyOf(machine(), m_id);
        auto device = machine::devices::FindDeviceByNetCfgInstanceId(machine(), m_id);
        ASSERT_TRUE(device.has_value());
        m_driverKey = machine::devices::DriverKeyPath(*device);
        g_nChipType = device->chipType;
        g_bUsbAdapter = TRUE;
        g_bHtSupported = TRUE;
        g_nHtVariant = 3;
        g_bABandSupported = FALSE;
        g_bWdsAllowed = FALSE;
        g_bRegionValid = TRUE;
        g_bABandRegionValid = TRUE;
        g_ApEventLog.RemoveAll();
        g_nEventLogShown = 0;
        machine::programs::SetRecordOnly(machine(), "UplinkPick", true);
        machine::programs::SetRecordOnly(machine(), "TessarynUI", true);
        machine::programs::ClearProgramLog(machine());
    }

    void TearDown() override { ClearRetryQueue(); }

    machine::Machine& machine() const { return m_machine.machine(); }
    std::string apDefault() const { return m_driverKey + "\\ApDefault"; }

    void setText(const std::string& key, const std::string& name, const std::string& text) const
    {
        ASSERT_TRUE(machine::registry::SetValue(machine(), key, name, REG_SZ, text));
    }
    // The value's text; "<missing>" when there is none.
    std::string textOf(const std::string& key, const std::string& name) const
    {
        auto v = machine::registry::GetValue(machine(), key, name);
        return v ? v->data : std::string("<missing>");
    }

    void setMacLastByte(unsigned char last) const
    {
        machine::miniport::ChangeAdapterState(machine(), m_id,
                                              [&](machine::miniport::AdapterState& s)
                                              {
                                                  std::string mac = AdapterMacAddress(s);
                                                  mac[5] = static_cast<char>(last);
                                                  s.setBytes(0x0D010702, mac);
                                              });
    }
    // What the driver holds under a store key (the query code, or the code it is kept under).
    void setDriverValue(std::uint32_t storeKey, const std::string& bytes) const
    {
        machine::miniport::ChangeAdapterState(machine(), m_id,
                                              [&](machine::miniport::AdapterState& s)
                                              { s.setBytes(storeKey, bytes); });
    }
    // The answer the driver gives to a query that otherwise follows the adapter.
    void pinAnswer(std::uint32_t storeKey, const std::string& bytes) const
    {
        machine::miniport::ChangeAdapterState(machine(), m_id,
                                              [&](machine::miniport::AdapterState& s) {
                                                  machine::miniport::PinAnswer(s, storeKey, bytes);
                                              });
    }
    // The signal the driver reports, whatever the radio shows.
    void pinSignal(int rssi) const
    {
        machine::miniport::ChangeAdapterState(
            machine(), m_id,
            [&](machine::miniport::AdapterState& s)
            {
                machine::miniport::PinAnswer(
                    s, 0xFF0C0010, testing_support::le32(static_cast<std::uint32_t>(rssi)));
            });
    }
    void failRequests(std::uint32_t code, int times = -1) const
    {
        machine::miniport::InjectRequestFault(machine(), m_id, code, times);
    }

    std::vector<LogEntry> requests() const
    {
        return machine::miniport::ReadRequestLog(machine(), m_id);
    }
    void clearRequests() const { machine::miniport::ClearRequestLog(machine(), m_id); }
    // The data of every request with that wire code, in order.
    std::vector<std::string> sent(std::uint32_t code) const
    {
        std::vector<std::string> data;
        for (const LogEntry& e : requests())
            if (e.code == code)
                data.push_back(e.bytesIn);
        return data;
    }
    // "code/length" of every request, in order.
    std::vector<std::string> trace() const
    {
        std::vector<std::string> lines;
        for (const LogEntry& e : requests())
        {
            char line[32];
            snprintf(line, sizeof(line), "%08X/%u", e.code, e.length);
            lines.push_back(line);
        }
        return lines;
    }
    std::vector<std::string> programStarts() const
    {
        std::vector<std::string> starts;
        for (const std::string& line : machine::programs::ReadProgramLog(machine()))
            if (line.rfind("WinExec ", 0) == 0)
                starts.push_back(line.substr(0, line.find(" dir=")));
        return starts;
    }

    testing_support::TempMachine m_machine;
    std::string m_id;
    std::string m_driverKey;
};

} // namespace ap_test
