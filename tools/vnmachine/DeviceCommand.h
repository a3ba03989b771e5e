#pragma once
// vnmachine devices: the machine's network devices.
//   devices [list]                  every device, present or not, with its driver key
//   devices add default|usb CHIP|pci CHIP|other [INDEX]
//                                   installs an adapter (INDEX tells several apart)
//   devices remove ID | unplug ID | replug ID
// vnmachine driver: the wireless adapter's driver.
//   driver state [ID]               the adapter's radio and link
//   driver log [ID] | driver clear-log [ID]
//   driver fault CODE once|N|always [query|set]   requests of CODE fail
//   driver fault short CODE BYTES   answers of CODE return only BYTES bytes
//   driver fault scribble CODE      sets of CODE write into the caller's buffer
//   driver fault open               the device cannot be opened
//   driver fault clear | driver fault list
//   driver event [CLASS] [--batch N] [--unreadable K]...
//                                   raises one batch of N event objects (the driver's class
//                                   unless CLASS is given); the K-th cannot be read
//   driver wmi-fail STEP [once|N|always] [HRESULT]
//                                   a step of subscribing to the events fails (init, security,
//                                   locator, connect, query); E_FAIL unless HRESULT is given
//   driver wmi-faults | wmi-clear | wmi-log | wmi-clear-log
// ID is a device's number in the list, its instance ID or its NetCfgInstanceId; the driver
// commands take the first Tessaryn adapter without one ("--device ID" before a fault command
// chooses another). Exit status 1 when the command fails, 2 on a usage error.

#include <string>
#include <vector>

int RunDevicesCommand(const std::vector<std::string>& args);
int RunDriverCommand(const std::vector<std::string>& args);
