#pragma once
// Levers on the machine's WLAN service for tests and the machine tool: timing, injected
// failures, network keys, the radio switch, notifications raised from outside and the log.
// Interfaces are named by their GUID text ("{...}", the adapter's NetCfgInstanceId); an empty
// GUID means every interface. A lever that changes the service's state returns false when the
// state could not be written (the service's log says why).

#include "machine/Machine.h"
#include "machine/wlan/WlanCodes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace machine::wlan
{

// Machine time from a scan request to its notification (default 1500 ms), and from a connect
// to its outcome (default 500 ms).
bool SetScanDelay(const Machine& machine, std::uint64_t milliseconds);
bool SetConnectDelay(const Machine& machine, std::uint64_t milliseconds);

struct ServiceSettings
{
    std::uint64_t scanDelay = 0;
    std::uint64_t connectDelay = 0;
    struct Fault
    {
        std::string call;
        std::uint32_t error = 0;
        int times = -1; // -1 always
    };
    std::vector<Fault> faults;
};
// The delays and the failures waiting, as the machine tool shows them.
ServiceSettings ReadServiceSettings(const Machine& machine);

// The named call ("WlanScan", "WlanConnect", "scan" for the scan's own completion, ...) fails
// with `error` the next `times` times (-1 always). A failed "scan" ends in scan_fail.
bool InjectCallFailure(const Machine& machine, const std::string& call, std::uint32_t error,
                       int times = -1);
bool ClearCallFailures(const Machine& machine);

// The key a network accepts (WPA/WPA2 passphrase, WEP key), by SSID or BSSID text. A BSSID
// entry wins over an SSID entry.
bool SetNetworkSecret(const Machine& machine, const std::string& ssidOrBssid,
                      const std::string& key);

// The hardware switch of every PHY of the interface; the software state per PHY (-1: all).
// Each change sends MSM radio_state_change per PHY.
bool SetHardwareRadio(const Machine& machine, const std::string& guid, bool on);
bool SetSoftwareRadio(const Machine& machine, const std::string& guid, int phyIndex, bool on);

// The PHY types the interface reports (its capability and radio PHYs).
bool SetInterfacePhyTypes(const Machine& machine, const std::string& guid,
                          const std::vector<std::uint32_t>& phyTypes);

// Any notification, due now, as if the service had sent it.
bool RaiseNotification(const Machine& machine, std::uint32_t source, std::uint32_t code,
                       const std::string& guid, const std::vector<std::uint8_t>& data = {});
// MSM radio_state_change with its 12-byte PHY record (states 0 unknown, 1 on, 2 off).
bool RaiseRadioStateChange(const Machine& machine, const std::string& guid, std::uint32_t phyIndex,
                           std::uint32_t software, std::uint32_t hardware = kRadioOn);

// Link events from outside: link down with ACM disconnected; MSM roaming_end.
bool DisconnectInterface(const Machine& machine, const std::string& guid);
bool Roam(const Machine& machine, const std::string& guid);

// The GUIDs of the interfaces the service lists now.
std::vector<std::string> InterfaceGuids(const Machine& machine);

// <root>/wlan/log.txt, whole.
std::string ReadLog(const Machine& machine);

// The service as the machine's services control it: while stopped every WLAN call fails.
bool SetServiceRunning(const Machine& machine, bool running);
bool IsServiceRunning(const Machine& machine);

} // namespace machine::wlan
