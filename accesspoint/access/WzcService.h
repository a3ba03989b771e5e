#pragma once
// The wireless zero-configuration service "WZCSVC", which would take the adapter back from the
// access point: the program keeps it stopped.

#include "platform/Windows.h"

// TRUE when the service runs (opened with query access only).
BOOL IsWzcServiceRunning();
// Sends the stop control unless the service is stopped.
void StopWzcService();
