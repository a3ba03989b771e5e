#pragma once
// Descriptions of the wireless adapters the tool set ships for. A connection whose description
// line contains one of them is the wireless adapter's own connection.

#include "platform/Windows.h"

#define KNOWN_WIRELESS_ADAPTER_SLOTS 130
#define KNOWN_WIRELESS_ADAPTER_SLOT_SIZE 256

// Zero-terminated descriptions; the unused slots are empty.
extern const char KnownWirelessAdapters[KNOWN_WIRELESS_ADAPTER_SLOTS]
                                       [KNOWN_WIRELESS_ADAPTER_SLOT_SIZE];

// The first entry, in table order, that the line contains; -1 when none does. Empty slots never
// match: an empty text is contained in every line.
int FindKnownWirelessAdapter(const CString& strLine);
