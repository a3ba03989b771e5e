// Fuzz target for the machine's own text files, one per build (MACHINE_FILE names it):
// networks.txt, devices.txt, system.conf, connections.txt. Any text reads safely, and what was
// read survives a write and a second read unchanged.

#include "machine/SystemInfo.h"
#include "machine/devices/DeviceTree.h"
#include "machine/network/Connections.h"
#include "machine/radio/RadioStore.h"
#include "tests/fuzz/RoundTrip.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
#if MACHINE_FILE == 1
    fuzz_support::CheckRoundTrip(
        text, [](const std::string& t) { return machine::radio::ParseNetworks(t); },
        machine::radio::FormatNetworks);
#elif MACHINE_FILE == 2
    fuzz_support::CheckRoundTrip(
        text, [](const std::string& t) { return machine::devices::ParseDeviceList(t); },
        machine::devices::FormatDeviceList);
#elif MACHINE_FILE == 3
    fuzz_support::CheckRoundTrip(
        text, [](const std::string& t) { return machine::ParseSystemInfo(t); },
        machine::FormatSystemInfo);
#elif MACHINE_FILE == 4
    fuzz_support::CheckRoundTrip(text, machine::network::ParseConnections,
                                 machine::network::FormatConnections);
#else
#error "MACHINE_FILE names the file: 1 networks, 2 devices, 3 system.conf, 4 connections"
#endif
    return 0;
}
