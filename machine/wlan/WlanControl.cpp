#include "machine/wlan/WlanControl.h"

#include "machine/FileStore.h"
#include "machine/LineLog.h"
#include "machine/MachineClock.h"
#include "machine/wlan/Interfaces.h"
#include "machine/wlan/Journal.h"
#include "machine/wlan/StateSession.h"
#include "machine/wlan/WlanService.h"

namespace machine::wlan
{
namespace
{

// Runs a change that cannot be refused; false when the state could not be written.
template <class F> bool Change(const Machine& m, F&& change)
{
    return ChangeState(m,
                       [&](ServiceState& s) -> std::uint32_t
                       {
                           change(s);
                           return 0;
                       }) == 0;
}

bool Targets(const std::string& guid, const devices::NetDevice& d)
{
    return guid.empty() || GuidKey(guid) == GuidKey(d.netCfgInstanceId);
}

} // namespace

bool SetScanDelay(const Machine& m, std::uint64_t ms)
{
    return Change(m, [&](ServiceState& s) { s.scanDelay = ms; });
}

bool SetConnectDelay(const Machine& m, std::uint64_t ms)
{
    return Change(m, [&](ServiceState& s) { s.connectDelay = ms; });
}

ServiceSettings ReadServiceSettings(const Machine& m)
{
    return WithState(m,
                     [](ServiceState& s)
                     {
                         ServiceSettings out;
                         out.scanDelay = s.scanDelay;
                         out.connectDelay = s.connectDelay;
                         for (const auto& [call, f] : s.faults)
                             out.faults.push_back({call, f.error, f.times});
                         return out;
                     });
}

bool InjectCallFailure(const Machine& m, const std::string& call, std::uint32_t error, int times)
{
    return Change(m, [&](ServiceState& s) { s.faults[call] = CallFault{error, times}; });
}

bool ClearCallFailures(const Machine& m)
{
    return Change(m, [](ServiceState& s) { s.faults.clear(); });
}

bool SetNetworkSecret(const Machine& m, const std::string& key, const std::string& value)
{
    auto bssid = radio::ParseBssid(key);
    return Change(m, [&](ServiceState& s)
                  { s.secrets[bssid ? radio::FormatBssid(*bssid) : key] = value; });
}

bool SetHardwareRadio(const Machine& m, const std::string& guid, bool on)
{
    bool written = true;
    for (auto& d : WirelessDevices(m))
    {
        if (!Targets(guid, d))
            continue;
        written = Change(m,
                         [&](ServiceState& s)
                         {
                             InterfaceState& i = InterfaceOf(s, d);
                             for (std::size_t k = 0; k < i.radio.size(); ++k)
                             {
                                 i.radio[k].hardware = on ? kRadioOn : kRadioOff;
                                 Journal(s, MachineNow(), kSourceMsm, kMsmRadioStateChange,
                                         d.netCfgInstanceId,
                                         RadioRecord(static_cast<std::uint32_t>(k),
                                                     i.radio[k].software, i.radio[k].hardware));
                             }
                             if (!RadioOn(i))
                                 LinkDown(m, s, d.netCfgInstanceId, i, MachineNow());
                             SyncAdapterRadio(m, d.netCfgInstanceId, i);
                         }) &&
                  written;
        Log(m, "hardware radio " + d.netCfgInstanceId + (on ? " on" : " off"));
    }
    return written;
}

bool SetSoftwareRadio(const Machine& m, const std::string& guid, int phyIndex, bool on)
{
    bool ok = false;
    for (auto& d : WirelessDevices(m))
    {
        if (!Targets(guid, d))
            continue;
        std::size_t count = RadioState(m, d.netCfgInstanceId).size();
        for (std::size_t k = 0; k < count; ++k)
            if (phyIndex < 0 || static_cast<std::size_t>(phyIndex) == k)
                ok = SetSoftwareRadioState(m, d.netCfgInstanceId, static_cast<std::uint32_t>(k),
                                           on ? kRadioOn : kRadioOff) == 0 ||
                     ok;
    }
    return ok;
}

bool SetInterfacePhyTypes(const Machine& m, const std::string& guid,
                          const std::vector<std::uint32_t>& phyTypes)
{
    return Change(m,
                  [&](ServiceState& s)
                  {
                      InterfaceState& i = s.interfaces[GuidKey(guid)];
                      i.phyTypes = phyTypes;
                      i.radio.resize(phyTypes.size());
                  });
}

bool RaiseNotification(const Machine& m, std::uint32_t source, std::uint32_t code,
                       const std::string& guid, const std::vector<std::uint8_t>& data)
{
    const bool written =
        Change(m, [&](ServiceState& s) { Journal(s, MachineNow(), source, code, guid, data); });
    Log(m, "notify " + std::to_string(source) + " " + std::to_string(code) + " " + guid);
    return written;
}

bool RaiseRadioStateChange(const Machine& m, const std::string& guid, std::uint32_t phyIndex,
                           std::uint32_t software, std::uint32_t hardware)
{
    return RaiseNotification(m, kSourceMsm, kMsmRadioStateChange, guid,
                             RadioRecord(phyIndex, software, hardware));
}

bool DisconnectInterface(const Machine& m, const std::string& guid)
{
    bool any = false;
    for (auto& d : WirelessDevices(m))
        if (Targets(guid, d))
            any = Disconnect(m, d.netCfgInstanceId) == 0 || any;
    return any;
}

bool Roam(const Machine& m, const std::string& guid)
{
    bool written = true;
    for (auto& d : WirelessDevices(m))
        if (Targets(guid, d))
            written =
                RaiseNotification(m, kSourceMsm, kMsmRoamingEnd, d.netCfgInstanceId) && written;
    return written;
}

std::vector<std::string> InterfaceGuids(const Machine& m)
{
    std::vector<std::string> out;
    for (auto& d : WirelessDevices(m))
        out.push_back(d.netCfgInstanceId);
    return out;
}

std::string ReadLog(const Machine& m)
{
    std::string text;
    for (const std::string& line : ReadLogLines(m, ServiceFolder(m) / "log.txt"))
        text += line + "\n";
    return text;
}

bool SetServiceRunning(const Machine& m, bool running)
{
    const bool written = Change(m, [&](ServiceState& s) { s.running = running; });
    Log(m, running ? "service started" : "service stopped");
    return written;
}

bool IsServiceRunning(const Machine& m)
{
    return LookAtState(m, [](ServiceState& s) { return s.running; });
}

} // namespace machine::wlan
