// Mutated device lists, adapter states, fault lists and log lines: the parsers never fail
// unsafely, and what they read is written and read back unchanged.

#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/RequestLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

namespace devices = machine::devices;
namespace mp = machine::miniport;

namespace
{

std::string mutate(std::string text, std::mt19937& rng)
{
    const char alphabet[] = "[]=#-\r\n \t0123456789abcdefABCDEFxz{}\\&_fail short open value reg";
    int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits && !text.empty(); ++e)
    {
        std::size_t at = rng() % text.size();
        switch (rng() % 3)
        {
        case 0:
            text.erase(at, 1 + rng() % 8);
            break;
        case 1:
            text.insert(at, 1, alphabet[rng() % (sizeof alphabet - 1)]);
            break;
        default:
            text[at] = static_cast<char>(rng() % 256);
            break;
        }
    }
    return text;
}

void checkStable(const std::string& seed,
                 const std::function<std::string(const std::string&)>& roundTrip)
{
    std::mt19937 rng(20261210);
    for (int i = 0; i < 1500; ++i)
    {
        std::string once = roundTrip(mutate(seed, rng));
        ASSERT_EQ(roundTrip(once), once);
    }
}

TEST(MachineFilesFuzz, ParsersReadMutatedFilesSafelyAndStably)
{
    checkStable(
        devices::FormatDeviceList(
            {devices::DefaultAdapter(), devices::TessarynPciAdapter(6), devices::OtherMakerNic()}),
        [](const std::string& t)
        { return devices::FormatDeviceList(devices::ParseDeviceList(t)); });

    mp::AdapterState state = mp::DefaultAdapterState("{X}");
    state.keys[1] = "abc";
    state.registers[{3, 0x36}] = 0x300;
    mp::QueueApEvent(state, 7, "\x01\x02\x03\x04\x05\x06", 2);
    checkStable(mp::FormatAdapterState(state), [](const std::string& t)
                { return mp::FormatAdapterState(mp::ParseAdapterState(t)); });

    mp::DriverFaults faults;
    faults.failures = {{0x0D710111, mp::Direction::Set, 3, 31},
                       {0xFF0C0003, mp::Direction::Both, -1, 5}};
    faults.shortAnswers = {{0xFF0C0025, mp::Direction::Query, 0}};
    faults.scribbles = {0x0D71012A};
    faults.openFails = true;
    checkStable(mp::FormatDriverFaults(faults), [](const std::string& t)
                { return mp::FormatDriverFaults(mp::ParseDriverFaults(t)); });

    mp::LogEntry entry{0x0DF10111, 4, "\x01\x02\x03\x04", "\x05\x06\x07\x08", 4, false, 31};
    checkStable(mp::FormatLogEntry(entry),
                [](const std::string& t)
                {
                    mp::LogEntry e;
                    return mp::ParseLogEntry(t, e) ? mp::FormatLogEntry(e) : std::string();
                });
}

} // namespace
