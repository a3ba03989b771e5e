#pragma once
// The WLAN service's interfaces: the wireless adapters present, the state the service keeps of
// each, and what happens to them as a whole (the link goes down, an adapter comes or goes, a
// connect falls due).

#include "machine/Machine.h"
#include "machine/devices/DeviceTree.h"
#include "machine/wlan/ServiceState.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::wlan
{

// The wireless adapters: Tessaryn chips in the device tree, present.
std::vector<devices::NetDevice> WirelessDevices(const Machine& machine);
std::optional<devices::NetDevice> DeviceOf(const Machine& machine, const std::string& guid);

// The service's state of the adapter's interface, with the chip's PHYs when none are set.
InterfaceState& InterfaceOf(ServiceState& state, const devices::NetDevice& device);

// Every PHY on in software and in hardware (and at least one PHY).
bool RadioOn(const InterfaceState& interface);
// The adapter's radio follows the PHYs: on while every one is on; off takes the association.
void SyncAdapterRadio(const Machine& machine, const std::string& guid,
                      const InterfaceState& interface);

// Drops the link and any connect under way; ACM disconnected when there was either.
void LinkDown(const Machine& machine, ServiceState& state, const std::string& guid,
              InterfaceState& interface, std::uint64_t now);

// Compares the adapters present now with the last look: ACM interface_arrival for a new one,
// interface_removal (after its link went down) for one gone. The first look only records.
void NoteInterfaces(const Machine& machine, ServiceState& state,
                    const std::vector<devices::NetDevice>& present, std::uint64_t now);

// Brings up the links whose connects have fallen due and succeed.
void ApplyDueConnects(const Machine& machine, ServiceState& state, std::uint64_t now);

} // namespace machine::wlan
