#pragma once
// A radio setting that needs a reconnect takes effect by dropping the link and setting the same
// SSID again, which reconnects to the same network.

#include "platform/Windows.h"

// Queries the SSID, drops the link, runs pfnMeanwhile (when given), and sets the SSID again.
// When the SSID query fails, or names no network (length 0), neither the drop nor the SSID goes
// out: a zero-length SSID would have the driver join any network in range. pfnMeanwhile runs
// either way.
void ReconnectSameSsid(void (*pfnMeanwhile)() = NULL);

// What the QoS page and its power-save dialog do after a change: the reconnect, the CCX control
// word of "Config" again, and a rescan of the Site Survey page while the main sheet is open.
void ReconnectAndRescan();
