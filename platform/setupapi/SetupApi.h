#pragma once
// The device-installation functions the programs use to find their adapter: the "Net" class,
// a snapshot of its devices, their properties and their driver keys in the registry.
//
// A device information set (HDEVINFO) is a snapshot taken when it is made: devices installed,
// removed or unplugged later do not change it. Its members are numbered in install order.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"
#include "platform/registry/WinReg.h"

#include <cstddef>

// Device installation errors (customer bit and error severity set, as the platform has them).
inline constexpr DWORD ERROR_KEY_DOES_NOT_EXIST = 0xE0000204;
inline constexpr DWORD ERROR_INVALID_CLASS = 0xE0000206;
inline constexpr DWORD ERROR_INVALID_REG_PROPERTY = 0xE0000209;
inline constexpr DWORD ERROR_NO_SUCH_DEVINST = 0xE000020B;
inline constexpr DWORD ERROR_INVALID_USER_BUFFER = 1784;

// SetupDiGetClassDevs flags.
inline constexpr DWORD DIGCF_DEFAULT = 0x00000001;
inline constexpr DWORD DIGCF_PRESENT = 0x00000002;
inline constexpr DWORD DIGCF_ALLCLASSES = 0x00000004;
inline constexpr DWORD DIGCF_PROFILE = 0x00000008;
inline constexpr DWORD DIGCF_DEVICEINTERFACE = 0x00000010;

// Device registry properties.
inline constexpr DWORD SPDRP_DEVICEDESC = 0x00000000;
inline constexpr DWORD SPDRP_HARDWAREID = 0x00000001;
inline constexpr DWORD SPDRP_COMPATIBLEIDS = 0x00000002;
inline constexpr DWORD SPDRP_SERVICE = 0x00000004;
inline constexpr DWORD SPDRP_CLASS = 0x00000007;
inline constexpr DWORD SPDRP_CLASSGUID = 0x00000008;
inline constexpr DWORD SPDRP_DRIVER = 0x00000009;
inline constexpr DWORD SPDRP_MFG = 0x0000000B;
inline constexpr DWORD SPDRP_FRIENDLYNAME = 0x0000000C;
inline constexpr DWORD SPDRP_LOCATION_INFORMATION = 0x0000000D;
inline constexpr DWORD SPDRP_ENUMERATOR_NAME = 0x00000016;
inline constexpr DWORD SPDRP_MAXIMUM_PROPERTY = 0x00000025;

// SetupDiOpenDevRegKey scopes and key types.
inline constexpr DWORD DICS_FLAG_GLOBAL = 0x00000001;
inline constexpr DWORD DICS_FLAG_CONFIGSPECIFIC = 0x00000002;
inline constexpr DWORD DIREG_DEV = 0x00000001;
inline constexpr DWORD DIREG_DRV = 0x00000002;

using PCSTR = const char*;
using PSTR = char*;

// The network adapters' setup class, {4D36E972-E325-11CE-BFC1-08002BE10318}.
inline constexpr GUID GUID_DEVCLASS_NET = {
    0x4D36E972, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

struct SP_DEVINFO_DATA
{
    DWORD cbSize;
    GUID ClassGuid;
    DWORD DevInst;
    DWORD_PTR Reserved;
};
using PSP_DEVINFO_DATA = SP_DEVINFO_DATA*;
static_assert(sizeof(SP_DEVINFO_DATA) == 28);

// "Net" (any case) gives the network adapters' class. An unknown name succeeds with no GUID.
// A list too small for the GUIDs found fails with ERROR_INSUFFICIENT_BUFFER; *RequiredSize
// (when given) is the number of GUIDs either way.
BOOL SetupDiClassGuidsFromNameA(PCSTR ClassName, GUID* ClassGuidList, DWORD ClassGuidListSize,
                                PDWORD RequiredSize);

// The devices of the class (every class with DIGCF_ALLCLASSES), only those plugged in with
// DIGCF_PRESENT, only those of a bus ("PCI", "USB") when an enumerator is named.
// INVALID_HANDLE_VALUE on failure.
HDEVINFO SetupDiGetClassDevsA(const GUID* ClassGuid, PCSTR Enumerator, HWND hwndParent,
                              DWORD Flags);
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet);

// Member `MemberIndex` of the set. Past the end: FALSE and ERROR_NO_MORE_ITEMS. The record's
// cbSize must be sizeof(SP_DEVINFO_DATA) (ERROR_INVALID_USER_BUFFER otherwise).
BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex,
                           PSP_DEVINFO_DATA DeviceInfoData);

// The property's bytes and type: REG_MULTI_SZ for the ID lists, REG_SZ with its terminator for
// the texts. *RequiredSize (when given) is the size of the whole value, also when the buffer is
// too small (FALSE, ERROR_INSUFFICIENT_BUFFER). A property the device does not have (an empty
// friendly name or location) fails with ERROR_INVALID_DATA.
BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                       DWORD Property, PDWORD PropertyRegDataType,
                                       PBYTE PropertyBuffer, DWORD PropertyBufferSize,
                                       PDWORD RequiredSize);

// The device's instance ID ("USB\VID_FA11&PID_3400\6&2F1A0C3B&0&2") with its terminator;
// *RequiredSize counts the terminator.
BOOL SetupDiGetDeviceInstanceIdA(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData,
                                 PSTR DeviceInstanceId, DWORD DeviceInstanceIdSize,
                                 PDWORD RequiredSize);

// The device's driver key (DIREG_DRV, under the class key) or its hardware key (DIREG_DEV,
// "Device Parameters" under its Enum entry), opened with `samDesired` through the registry
// functions: close it with RegCloseKey. INVALID_HANDLE_VALUE on failure (ERROR_KEY_DOES_NOT_EXIST
// when the key is missing).
HKEY SetupDiOpenDevRegKey(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, DWORD Scope,
                          DWORD HwProfile, DWORD KeyType, REGSAM samDesired);

namespace platform
{

// Device information sets this process holds (tests look for sets left undestroyed).
std::size_t OpenDeviceInfoSetCount();

} // namespace platform
