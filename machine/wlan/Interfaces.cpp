#include "machine/wlan/Interfaces.h"

#include "machine/miniport/AdapterState.h"
#include "machine/radio/Network.h"
#include "machine/wlan/Journal.h"

#include <algorithm>

namespace machine::wlan
{
namespace
{

std::vector<std::uint32_t> DefaultPhys(const devices::NetDevice& d)
{
    // The dual-band chips (models 5 and up) add the 5 GHz PHY.
    if (d.chipType >= 5)
        return {radio::kPhyOfdm, radio::kPhyHrDsss, radio::kPhyErp, radio::kPhyHt};
    return {radio::kPhyHrDsss, radio::kPhyErp};
}

bool EveryPhyOn(const InterfaceState& i)
{
    return std::all_of(i.radio.begin(), i.radio.end(),
                       [](const PhyRadio& r)
                       { return r.software == kRadioOn && r.hardware == kRadioOn; });
}

} // namespace

std::vector<devices::NetDevice> WirelessDevices(const Machine& m)
{
    std::vector<devices::NetDevice> list;
    for (auto& d : devices::ListDevices(m))
        if (d.present && d.chipType >= 0)
            list.push_back(d);
    return list;
}

std::optional<devices::NetDevice> DeviceOf(const Machine& m, const std::string& guid)
{
    for (auto& d : WirelessDevices(m))
        if (GuidKey(d.netCfgInstanceId) == GuidKey(guid))
            return d;
    return std::nullopt;
}

InterfaceState& InterfaceOf(ServiceState& s, const devices::NetDevice& d)
{
    InterfaceState& i = s.interfaces[GuidKey(d.netCfgInstanceId)];
    if (i.phyTypes.empty())
        i.phyTypes = DefaultPhys(d);
    if (i.radio.size() < i.phyTypes.size())
        i.radio.resize(i.phyTypes.size());
    return i;
}

bool RadioOn(const InterfaceState& i)
{
    return !i.radio.empty() && EveryPhyOn(i);
}

void SyncAdapterRadio(const Machine& m, const std::string& guid, const InterfaceState& i)
{
    const bool on = EveryPhyOn(i);
    miniport::ChangeAdapterState(m, guid,
                                 [&](miniport::AdapterState& a)
                                 {
                                     a.radioOn = on;
                                     if (!on)
                                         a.associated = false;
                                 });
}

void LinkDown(const Machine& m, ServiceState& s, const std::string& guid, InterfaceState& i,
              std::uint64_t now)
{
    const bool was = i.connection.has_value() || i.pending.has_value();
    i.connection.reset();
    i.pending.reset();
    i.wrongWepKey = false;
    miniport::ChangeAdapterState(m, guid, [](miniport::AdapterState& a) { a.associated = false; });
    if (was)
        Journal(s, now, kSourceAcm, kAcmDisconnected, guid);
}

void NoteInterfaces(const Machine& m, ServiceState& s, const std::vector<devices::NetDevice>& list,
                    std::uint64_t now)
{
    std::vector<std::string> present;
    for (const auto& d : list)
        present.push_back(GuidKey(d.netCfgInstanceId));
    if (s.presentKnown)
    {
        for (const auto& guid : present)
            if (std::find(s.present.begin(), s.present.end(), guid) == s.present.end())
                Journal(s, now, kSourceAcm, kAcmInterfaceArrival, guid);
        for (const auto& guid : s.present)
            if (std::find(present.begin(), present.end(), guid) == present.end())
            {
                if (auto it = s.interfaces.find(guid); it != s.interfaces.end())
                    LinkDown(m, s, guid, it->second, now);
                Journal(s, now, kSourceAcm, kAcmInterfaceRemoval, guid);
            }
    }
    s.presentKnown = true;
    s.present = std::move(present);
}

void ApplyDueConnects(const Machine& m, ServiceState& s, std::uint64_t now)
{
    for (auto& [guid, i] : s.interfaces)
    {
        if (!i.pending || i.pending->due > now)
            continue;
        PendingConnect p = *i.pending;
        i.pending.reset();
        if (!p.succeeds)
            continue; // its notifications were journalled with the request
        i.connection = p.connection;
        i.wrongWepKey = p.wrongWepKey;
        i.icvSince = p.due;
        const std::string ssid = p.connection.ssid;
        const std::string bssid(p.connection.bssid.begin(), p.connection.bssid.end());
        miniport::ChangeAdapterState(m, guid,
                                     [&](miniport::AdapterState& a)
                                     {
                                         miniport::CatchUpTraffic(a, p.due);
                                         miniport::SetAssociation(a, ssid, bssid);
                                         a.associated = true;
                                     });
    }
}

} // namespace machine::wlan
