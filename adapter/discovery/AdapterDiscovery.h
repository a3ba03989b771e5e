#pragma once
// Finding the wireless adapter among the network devices present: recognised by hardware ID,
// it gives the device path, driver key and chip type that each program keeps as its adapter
// state (AdapterState.h).

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

// The adapter that discovery chose, before a program takes it into its own state.
struct AdapterSelection
{
    CString strName;             // friendly name, else the device description
    int nChipType = 0;           // row of g_ChipFamilyTable
    BOOL bUsb = FALSE;           // matched the USB table
    CString strDevicePath;       // "\\.\" and the NetCfgInstanceId or the family name
    CString strNetCfgInstanceId; // empty before Windows 2000
    CString strDriverKey;        // under HKEY_LOCAL_MACHINE
};

// Finds the supported adapters present that open, lets the chooser pick among several, and
// describes the chosen one. FALSE when none was chosen; `selection` is then untouched.
BOOL SelectAdapter(AdapterSelection& selection);

// Takes the selection into the adapter state both programs keep (AdapterState.h): chip type,
// bus, the 802.11n flags by chip type, device path, NetCfgInstanceId (Windows 2000 and later)
// and driver key.
void TakeAdapterSelection(const AdapterSelection& selection);
