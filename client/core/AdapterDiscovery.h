#pragma once
// Finding the wireless adapter among the network devices present: recognised by hardware ID,
// it sets the adapter state (AdapterState.h) that every driver request relies on.

#include "platform/Windows.h"
#include "platform/setupapi/SetupApi.h"

// Number of characters of a hardware ID that are compared ("USB\VID_xxxx&PID_xxxx").
#define HARDWARE_ID_COMPARE_LENGTH 21

struct HardwareIdEntry
{
    LPCSTR pszHardwareId; // upper case, HARDWARE_ID_COMPARE_LENGTH characters
    int nChipType;        // row of g_ChipFamilyTable
};

// Column 0 the family name, then the driver files for Windows 98/Me, 2000, XP, XP 64-bit and
// Vista ("" where the family has no driver for that system).
struct ChipFamilyEntry
{
    LPCSTR pszFamilyName;
    LPCSTR pszDriverFile[5];
};

#define USB_HARDWARE_ID_COUNT 63
#define PCI_HARDWARE_ID_COUNT 7
#define CHIP_FAMILY_COUNT 9

extern const HardwareIdEntry g_UsbHardwareIdTable[USB_HARDWARE_ID_COUNT];
extern const HardwareIdEntry g_PciHardwareIdTable[PCI_HARDWARE_ID_COUNT];
extern const ChipFamilyEntry g_ChipFamilyTable[CHIP_FAMILY_COUNT];

// Chooses among several adapters that open: returns the member index of the one to use. The
// adapter selection dialog, unless replaced.
typedef DWORD (*PFN_CHOOSE_ADAPTER)(HDEVINFO hDevInfo, const CDWordArray& candidates);
extern PFN_CHOOSE_ADAPTER g_pfnChooseAdapter;

// Told the chosen adapter's friendly name (or its description when it has none), so that the
// WLAN client can pick the interface of that description. NULL until that client sets it.
typedef void (*PFN_ADAPTER_CHOSEN)(LPCSTR pszDescription);
extern PFN_ADAPTER_CHOSEN g_pfnAdapterChosen;

// 1 when an adapter was selected and the adapter state set, 0 otherwise.
int DiscoverAdapter();
