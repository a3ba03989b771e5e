#pragma once
// The WLAN API of the platform: a client handle to the machine's WLAN service, its interfaces,
// scans, network and BSS lists, profiles, connections and notifications.
//
// Records are laid out as on 32-bit Windows (WCHAR 16 bits, no padding beyond the platform's
// own alignment); the sizes the programs rely on are checked below. Lists and records that the
// service hands back are one block each, released with WlanFreeMemory. Results are the
// platform's error numbers (ERROR_SUCCESS, ERROR_INVALID_HANDLE, ...), never last-error.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

#include <cstddef>

using PVOID = void*;
using PHANDLE = HANDLE*;
using WLAN_REASON_CODE = DWORD;
using PWLAN_REASON_CODE = DWORD*;

// --- Service results beyond the common error numbers -------------------------------------------

inline constexpr DWORD ERROR_SERVICE_NOT_ACTIVE = 1062;
inline constexpr DWORD ERROR_BAD_PROFILE = 1206;
inline constexpr DWORD ERROR_NDIS_DOT11_POWER_STATE_INVALID = 0x80342002u;

inline constexpr DWORD WLAN_API_VERSION_2_0 = 0x00000002;
inline constexpr std::size_t WLAN_MAX_NAME_LENGTH = 256;
inline constexpr std::size_t DOT11_SSID_MAX_LENGTH = 32;
inline constexpr std::size_t WLAN_MAX_PHY_TYPE_NUMBER = 8;
inline constexpr std::size_t WLAN_MAX_PHY_INDEX = 64;

// --- 802.11 basics -------------------------------------------------------------------------------

struct DOT11_SSID
{
    ULONG uSSIDLength;
    UCHAR ucSSID[DOT11_SSID_MAX_LENGTH];
};
using PDOT11_SSID = DOT11_SSID*;

using DOT11_MAC_ADDRESS = UCHAR[6];

enum DOT11_BSS_TYPE : DWORD
{
    dot11_BSS_type_infrastructure = 1,
    dot11_BSS_type_independent = 2,
    dot11_BSS_type_any = 3,
};

enum DOT11_PHY_TYPE : DWORD
{
    dot11_phy_type_unknown = 0,
    dot11_phy_type_any = 0,
    dot11_phy_type_fhss = 1,
    dot11_phy_type_dsss = 2,
    dot11_phy_type_irbaseband = 3,
    dot11_phy_type_ofdm = 4,
    dot11_phy_type_hrdsss = 5,
    dot11_phy_type_erp = 6,
    dot11_phy_type_ht = 7,
    dot11_phy_type_IHV_start = 0x80000000u,
    dot11_phy_type_IHV_end = 0xFFFFFFFFu,
};

enum DOT11_AUTH_ALGORITHM : DWORD
{
    DOT11_AUTH_ALGO_80211_OPEN = 1,
    DOT11_AUTH_ALGO_80211_SHARED_KEY = 2,
    DOT11_AUTH_ALGO_WPA = 3,
    DOT11_AUTH_ALGO_WPA_PSK = 4,
    DOT11_AUTH_ALGO_WPA_NONE = 5,
    DOT11_AUTH_ALGO_RSNA = 6,
    DOT11_AUTH_ALGO_RSNA_PSK = 7,
};

enum DOT11_CIPHER_ALGORITHM : DWORD
{
    DOT11_CIPHER_ALGO_NONE = 0x00,
    DOT11_CIPHER_ALGO_WEP40 = 0x01,
    DOT11_CIPHER_ALGO_TKIP = 0x02,
    DOT11_CIPHER_ALGO_CCMP = 0x04,
    DOT11_CIPHER_ALGO_WEP104 = 0x05,
    DOT11_CIPHER_ALGO_WPA_USE_GROUP = 0x100,
    DOT11_CIPHER_ALGO_WEP = 0x101,
};

enum DOT11_RADIO_STATE : DWORD
{
    dot11_radio_state_unknown = 0,
    dot11_radio_state_on = 1,
    dot11_radio_state_off = 2,
};

// The NDIS object header that leads the 802.11 lists.
struct NDIS_OBJECT_HEADER
{
    UCHAR Type;
    UCHAR Revision;
    USHORT Size;
};
inline constexpr UCHAR NDIS_OBJECT_TYPE_DEFAULT = 0x80;
inline constexpr UCHAR DOT11_BSSID_LIST_REVISION_1 = 1;

struct DOT11_BSSID_LIST
{
    NDIS_OBJECT_HEADER Header;
    ULONG uNumOfEntries;
    ULONG uTotalNumOfEntries;
    DOT11_MAC_ADDRESS BSSIDs[1];
};
using PDOT11_BSSID_LIST = DOT11_BSSID_LIST*;

// --- Interfaces ----------------------------------------------------------------------------------

enum WLAN_INTERFACE_STATE : DWORD
{
    wlan_interface_state_not_ready = 0,
    wlan_interface_state_connected = 1,
    wlan_interface_state_ad_hoc_network_formed = 2,
    wlan_interface_state_disconnecting = 3,
    wlan_interface_state_disconnected = 4,
    wlan_interface_state_associating = 5,
    wlan_interface_state_discovering = 6,
    wlan_interface_state_authenticating = 7,
};

struct WLAN_INTERFACE_INFO
{
    GUID InterfaceGuid;
    WCHAR strInterfaceDescription[WLAN_MAX_NAME_LENGTH];
    WLAN_INTERFACE_STATE isState;
};
using PWLAN_INTERFACE_INFO = WLAN_INTERFACE_INFO*;

struct WLAN_INTERFACE_INFO_LIST
{
    DWORD dwNumberOfItems;
    DWORD dwIndex;
    WLAN_INTERFACE_INFO InterfaceInfo[1];
};
using PWLAN_INTERFACE_INFO_LIST = WLAN_INTERFACE_INFO_LIST*;

enum WLAN_INTERFACE_TYPE : DWORD
{
    wlan_interface_type_emulated_802_11 = 0,
    wlan_interface_type_native_802_11 = 1,
};

struct WLAN_INTERFACE_CAPABILITY
{
    WLAN_INTERFACE_TYPE interfaceType;
    BOOL bDot11DSupported;
    DWORD dwMaxDesiredSsidListSize;
    DWORD dwMaxDesiredBssidListSize;
    DWORD dwNumberOfSupportedPhys;
    DOT11_PHY_TYPE dot11PhyTypes[WLAN_MAX_PHY_INDEX];
};
using PWLAN_INTERFACE_CAPABILITY = WLAN_INTERFACE_CAPABILITY*;

// --- Networks and BSS entries --------------------------------------------------------------------

using WLAN_SIGNAL_QUALITY = ULONG; // 0 to 100

inline constexpr DWORD WLAN_AVAILABLE_NETWORK_CONNECTED = 0x00000001;
inline constexpr DWORD WLAN_AVAILABLE_NETWORK_HAS_PROFILE = 0x00000002;

struct WLAN_AVAILABLE_NETWORK
{
    WCHAR strProfileName[WLAN_MAX_NAME_LENGTH];
    DOT11_SSID dot11Ssid;
    DOT11_BSS_TYPE dot11BssType;
    ULONG uNumberOfBssids;
    BOOL bNetworkConnectable;
    WLAN_REASON_CODE wlanNotConnectableReason;
    ULONG uNumberOfPhyTypes;
    DOT11_PHY_TYPE dot11PhyTypes[WLAN_MAX_PHY_TYPE_NUMBER];
    BOOL bMorePhyTypes;
    WLAN_SIGNAL_QUALITY wlanSignalQuality;
    BOOL bSecurityEnabled;
    DOT11_AUTH_ALGORITHM dot11DefaultAuthAlgorithm;
    DOT11_CIPHER_ALGORITHM dot11DefaultCipherAlgorithm;
    DWORD dwFlags;
    DWORD dwReserved;
};
using PWLAN_AVAILABLE_NETWORK = WLAN_AVAILABLE_NETWORK*;

struct WLAN_AVAILABLE_NETWORK_LIST
{
    DWORD dwNumberOfItems;
    DWORD dwIndex;
    WLAN_AVAILABLE_NETWORK Network[1];
};
using PWLAN_AVAILABLE_NETWORK_LIST = WLAN_AVAILABLE_NETWORK_LIST*;

struct WLAN_RATE_SET
{
    ULONG uRateSetLength; // bytes used in usRateSet
    USHORT usRateSet[126];
};

// One BSS. Its information elements lie ulIeOffset bytes after the start of this entry, inside
// the same block.
struct WLAN_BSS_ENTRY
{
    DOT11_SSID dot11Ssid;
    ULONG uPhyId;
    DOT11_MAC_ADDRESS dot11Bssid;
    DOT11_BSS_TYPE dot11BssType;
    DOT11_PHY_TYPE dot11BssPhyType;
    LONG lRssi;
    ULONG uLinkQuality;
    BOOLEAN bInRegDomain;
    USHORT usBeaconPeriod;
    ULONGLONG ullTimestamp;
    ULONGLONG ullHostTimestamp;
    USHORT usCapabilityInformation;
    ULONG ulChCenterFrequency; // kHz
    WLAN_RATE_SET wlanRateSet;
    ULONG ulIeOffset;
    ULONG ulIeSize;
};
using PWLAN_BSS_ENTRY = WLAN_BSS_ENTRY*;

struct WLAN_BSS_LIST
{
    DWORD dwTotalSize; // of the whole block, elements included
    DWORD dwNumberOfItems;
    WLAN_BSS_ENTRY wlanBssEntries[1];
};
using PWLAN_BSS_LIST = WLAN_BSS_LIST*;

// --- Interface settings (WlanQueryInterface, WlanSetInterface) -----------------------------------

enum WLAN_INTF_OPCODE : DWORD
{
    wlan_intf_opcode_autoconf_start = 0x000000000,
    wlan_intf_opcode_autoconf_enabled = 1,
    wlan_intf_opcode_background_scan_enabled = 2,
    wlan_intf_opcode_media_streaming_mode = 3,
    wlan_intf_opcode_radio_state = 4,
    wlan_intf_opcode_bss_type = 5,
    wlan_intf_opcode_interface_state = 6,
    wlan_intf_opcode_current_connection = 7,
    wlan_intf_opcode_channel_number = 8,
    wlan_intf_opcode_supported_infrastructure_auth_cipher_pairs = 9,
    wlan_intf_opcode_supported_adhoc_auth_cipher_pairs = 10,
    wlan_intf_opcode_supported_country_or_region_string_list = 11,
    wlan_intf_opcode_current_operation_mode = 12,
    wlan_intf_opcode_autoconf_end = 0x0fffffff,
    wlan_intf_opcode_msm_start = 0x10000100,
    wlan_intf_opcode_statistics = 0x10000101,
    wlan_intf_opcode_rssi = 0x10000102,
    wlan_intf_opcode_msm_end = 0x1fffffff,
};

enum WLAN_OPCODE_VALUE_TYPE : DWORD
{
    wlan_opcode_value_type_query_only = 0,
    wlan_opcode_value_type_set_by_group_policy = 1,
    wlan_opcode_value_type_set_by_user = 2,
    wlan_opcode_value_type_invalid = 3,
};
using PWLAN_OPCODE_VALUE_TYPE = WLAN_OPCODE_VALUE_TYPE*;

struct WLAN_PHY_RADIO_STATE
{
    DWORD dwPhyIndex;
    DOT11_RADIO_STATE dot11SoftwareRadioState;
    DOT11_RADIO_STATE dot11HardwareRadioState;
};
using PWLAN_PHY_RADIO_STATE = WLAN_PHY_RADIO_STATE*;

struct WLAN_RADIO_STATE
{
    DWORD dwNumberOfPhys;
    WLAN_PHY_RADIO_STATE PhyRadioState[WLAN_MAX_PHY_INDEX];
};
using PWLAN_RADIO_STATE = WLAN_RADIO_STATE*;

enum WLAN_CONNECTION_MODE : DWORD
{
    wlan_connection_mode_profile = 0,
    wlan_connection_mode_temporary_profile = 1,
    wlan_connection_mode_discovery_secure = 2,
    wlan_connection_mode_discovery_unsecure = 3,
    wlan_connection_mode_auto = 4,
    wlan_connection_mode_invalid = 5,
};

struct WLAN_ASSOCIATION_ATTRIBUTES
{
    DOT11_SSID dot11Ssid;
    DOT11_BSS_TYPE dot11BssType;
    DOT11_MAC_ADDRESS dot11Bssid;
    DOT11_PHY_TYPE dot11PhyType;
    ULONG uDot11PhyIndex;
    WLAN_SIGNAL_QUALITY wlanSignalQuality;
    ULONG ulRxRate; // kbit/s
    ULONG ulTxRate;
};

struct WLAN_SECURITY_ATTRIBUTES
{
    BOOL bSecurityEnabled;
    BOOL bOneXEnabled;
    DOT11_AUTH_ALGORITHM dot11AuthAlgorithm;
    DOT11_CIPHER_ALGORITHM dot11CipherAlgorithm;
};

struct WLAN_CONNECTION_ATTRIBUTES
{
    WLAN_INTERFACE_STATE isState;
    WLAN_CONNECTION_MODE wlanConnectionMode;
    WCHAR strProfileName[WLAN_MAX_NAME_LENGTH];
    WLAN_ASSOCIATION_ATTRIBUTES wlanAssociationAttributes;
    WLAN_SECURITY_ATTRIBUTES wlanSecurityAttributes;
};
using PWLAN_CONNECTION_ATTRIBUTES = WLAN_CONNECTION_ATTRIBUTES*;

struct WLAN_MAC_FRAME_STATISTICS
{
    ULONGLONG ullTransmittedFrameCount;
    ULONGLONG ullReceivedFrameCount;
    ULONGLONG ullWEPExcludedCount;
    ULONGLONG ullTKIPLocalMICFailures;
    ULONGLONG ullTKIPReplays;
    ULONGLONG ullTKIPICVErrorCount;
    ULONGLONG ullCCMPReplays;
    ULONGLONG ullCCMPDecryptErrors;
    ULONGLONG ullWEPUndecryptableCount;
    ULONGLONG ullWEPICVErrorCount;
    ULONGLONG ullDecryptSuccessCount;
    ULONGLONG ullDecryptFailureCount;
};

struct WLAN_PHY_FRAME_STATISTICS
{
    ULONGLONG ullTransmittedFrameCount;
    ULONGLONG ullMulticastTransmittedFrameCount;
    ULONGLONG ullFailedCount;
    ULONGLONG ullRetryCount;
    ULONGLONG ullMultipleRetryCount;
    ULONGLONG ullMaxTXLifetimeExceededCount;
    ULONGLONG ullTransmittedFragmentCount;
    ULONGLONG ullRTSSuccessCount;
    ULONGLONG ullRTSFailureCount;
    ULONGLONG ullACKFailureCount;
    ULONGLONG ullReceivedFrameCount;
    ULONGLONG ullMulticastReceivedFrameCount;
    ULONGLONG ullPromiscuousReceivedFrameCount;
    ULONGLONG ullMaxRXLifetimeExceededCount;
    ULONGLONG ullFrameDuplicateCount;
    ULONGLONG ullReceivedFragmentCount;
    ULONGLONG ullPromiscuousReceivedFragmentCount;
    ULONGLONG ullFCSErrorCount;
};

// dwNumberOfPhys records follow in the same block.
struct WLAN_STATISTICS
{
    ULONGLONG ullFourWayHandshakeFailures;
    ULONGLONG ullTKIPCounterMeasuresInvoked;
    ULONGLONG ullReserved;
    WLAN_MAC_FRAME_STATISTICS MacUcastCounters;
    WLAN_MAC_FRAME_STATISTICS MacMcastCounters;
    DWORD dwNumberOfPhys;
    WLAN_PHY_FRAME_STATISTICS PhyCounters[1];
};
using PWLAN_STATISTICS = WLAN_STATISTICS*;

// --- Connections ---------------------------------------------------------------------------------

struct WLAN_CONNECTION_PARAMETERS
{
    WLAN_CONNECTION_MODE wlanConnectionMode;
    LPCWSTR strProfile;
    PDOT11_SSID pDot11Ssid;
    PDOT11_BSSID_LIST pDesiredBssidList;
    DOT11_BSS_TYPE dot11BssType;
    DWORD dwFlags;
};
using PWLAN_CONNECTION_PARAMETERS = WLAN_CONNECTION_PARAMETERS*;

// --- Profiles ------------------------------------------------------------------------------------

inline constexpr DWORD WLAN_PROFILE_GROUP_POLICY = 0x00000001;
inline constexpr DWORD WLAN_PROFILE_USER = 0x00000002;

struct WLAN_PROFILE_INFO
{
    WCHAR strProfileName[WLAN_MAX_NAME_LENGTH];
    DWORD dwFlags;
};

struct WLAN_PROFILE_INFO_LIST
{
    DWORD dwNumberOfItems;
    DWORD dwIndex;
    WLAN_PROFILE_INFO ProfileInfo[1];
};
using PWLAN_PROFILE_INFO_LIST = WLAN_PROFILE_INFO_LIST*;

struct WLAN_RAW_DATA
{
    DWORD dwDataSize;
    BYTE DataBlob[1];
};
using PWLAN_RAW_DATA = WLAN_RAW_DATA*;

// --- Notifications -------------------------------------------------------------------------------

inline constexpr DWORD WLAN_NOTIFICATION_SOURCE_NONE = 0x00000000;
inline constexpr DWORD WLAN_NOTIFICATION_SOURCE_ONEX = 0x00000004;
inline constexpr DWORD WLAN_NOTIFICATION_SOURCE_ACM = 0x00000008;
inline constexpr DWORD WLAN_NOTIFICATION_SOURCE_MSM = 0x00000010;
inline constexpr DWORD WLAN_NOTIFICATION_SOURCE_SECURITY = 0x00000020;
inline constexpr DWORD WLAN_NOTIFICATION_SOURCE_IHV = 0x00000040;
inline constexpr DWORD WLAN_NOTIFICATION_SOURCE_ALL = 0x0000FFFF;

enum WLAN_NOTIFICATION_ACM : DWORD
{
    wlan_notification_acm_start = 0,
    wlan_notification_acm_autoconf_enabled = 1,
    wlan_notification_acm_autoconf_disabled = 2,
    wlan_notification_acm_background_scan_enabled = 3,
    wlan_notification_acm_background_scan_disabled = 4,
    wlan_notification_acm_bss_type_change = 5,
    wlan_notification_acm_power_setting_change = 6,
    wlan_notification_acm_scan_complete = 7,
    wlan_notification_acm_scan_fail = 8,
    wlan_notification_acm_connection_start = 9,
    wlan_notification_acm_connection_complete = 10,
    wlan_notification_acm_connection_attempt_fail = 11,
    wlan_notification_acm_filter_list_change = 12,
    wlan_notification_acm_interface_arrival = 13,
    wlan_notification_acm_interface_removal = 14,
    wlan_notification_acm_profile_change = 15,
    wlan_notification_acm_profile_name_change = 16,
    wlan_notification_acm_profiles_exhausted = 17,
    wlan_notification_acm_network_not_available = 18,
    wlan_notification_acm_network_available = 19,
    wlan_notification_acm_disconnecting = 20,
    wlan_notification_acm_disconnected = 21,
    wlan_notification_acm_adhoc_network_state_change = 22,
    wlan_notification_acm_end = 23,
};

enum WLAN_NOTIFICATION_MSM : DWORD
{
    wlan_notification_msm_start = 0,
    wlan_notification_msm_associating = 1,
    wlan_notification_msm_associated = 2,
    wlan_notification_msm_authenticating = 3,
    wlan_notification_msm_connected = 4,
    wlan_notification_msm_roaming_start = 5,
    wlan_notification_msm_roaming_end = 6,
    wlan_notification_msm_radio_state_change = 7,
    wlan_notification_msm_signal_quality_change = 8,
    wlan_notification_msm_disassociating = 9,
    wlan_notification_msm_disconnected = 10,
    wlan_notification_msm_peer_join = 11,
    wlan_notification_msm_peer_leave = 12,
    wlan_notification_msm_adapter_removal = 13,
    wlan_notification_msm_adapter_operation_mode_change = 14,
    wlan_notification_msm_end = 15,
};

// pData points at dwDataSize bytes that live only for the callback: a WLAN_PHY_RADIO_STATE for
// a radio state change, a WLAN_REASON_CODE for a failed scan, none for most others.
struct WLAN_NOTIFICATION_DATA
{
    DWORD NotificationSource;
    DWORD NotificationCode;
    GUID InterfaceGuid;
    DWORD dwDataSize;
    PVOID pData;
};
using PWLAN_NOTIFICATION_DATA = WLAN_NOTIFICATION_DATA*;

using WLAN_NOTIFICATION_CALLBACK = void (*)(PWLAN_NOTIFICATION_DATA, PVOID);

// --- The credential editor -----------------------------------------------------------------------

inline constexpr DWORD WLAN_UI_API_VERSION = 1;

enum WL_DISPLAY_PAGES : DWORD
{
    WLConnectionPage = 0,
    WLSecurityPage = 1,
    WLAdvPage = 2,
};

// --- Layouts the programs rely on ----------------------------------------------------------------

static_assert(sizeof(DOT11_SSID) == 36);
static_assert(sizeof(DOT11_BSSID_LIST) == 20);
static_assert(sizeof(WLAN_INTERFACE_INFO) == 532);
static_assert(offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) == 8);
static_assert(sizeof(WLAN_AVAILABLE_NETWORK) == 628);
static_assert(offsetof(WLAN_BSS_ENTRY, dot11Bssid) == 40);
static_assert(offsetof(WLAN_BSS_ENTRY, usBeaconPeriod) == 66);
static_assert(offsetof(WLAN_BSS_ENTRY, ullTimestamp) == 72);
static_assert(offsetof(WLAN_BSS_ENTRY, usCapabilityInformation) == 88);
static_assert(offsetof(WLAN_BSS_ENTRY, ulChCenterFrequency) == 92);
static_assert(offsetof(WLAN_BSS_ENTRY, ulIeOffset) == 352);
static_assert(sizeof(WLAN_BSS_ENTRY) == 360);
static_assert(offsetof(WLAN_BSS_LIST, wlanBssEntries) == 8);
static_assert(sizeof(WLAN_PHY_RADIO_STATE) == 12);
static_assert(sizeof(WLAN_RADIO_STATE) == 4 + 64 * 12);
static_assert(sizeof(WLAN_ASSOCIATION_ATTRIBUTES) == 68);
static_assert(sizeof(WLAN_CONNECTION_ATTRIBUTES) == 8 + 512 + 68 + 16);
static_assert(sizeof(WLAN_MAC_FRAME_STATISTICS) == 96);
static_assert(sizeof(WLAN_PHY_FRAME_STATISTICS) == 144);
static_assert(offsetof(WLAN_STATISTICS, dwNumberOfPhys) == 216);
static_assert(offsetof(WLAN_STATISTICS, PhyCounters) == 224);
static_assert(sizeof(WLAN_PROFILE_INFO) == 516);
static_assert(sizeof(WLAN_INTERFACE_CAPABILITY) == 20 + 64 * 4);

// --- Calls ---------------------------------------------------------------------------------------

// Version 1 or 2; the negotiated version is 2. ERROR_SERVICE_NOT_ACTIVE while the WLAN service
// is stopped.
DWORD WlanOpenHandle(DWORD dwClientVersion, PVOID pReserved, PDWORD pdwNegotiatedVersion,
                     PHANDLE phClientHandle);
// Unregisters the handle's notifications; once this returns no callback of the handle runs.
// Every later call on the handle gives ERROR_INVALID_HANDLE.
DWORD WlanCloseHandle(HANDLE hClientHandle, PVOID pReserved);

DWORD WlanEnumInterfaces(HANDLE hClientHandle, PVOID pReserved,
                         PWLAN_INTERFACE_INFO_LIST* ppInterfaceList);

// Starts a scan and returns; scan complete (or scan fail) follows as an ACM notification.
DWORD WlanScan(HANDLE hClientHandle, const GUID* pInterfaceGuid, const DOT11_SSID* pDot11Ssid,
               const WLAN_RAW_DATA* pIeData, PVOID pReserved);

DWORD WlanGetAvailableNetworkList(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags,
                                  PVOID pReserved,
                                  PWLAN_AVAILABLE_NETWORK_LIST* ppAvailableNetworkList);

// The BSS entries of one network (SSID, BSS type and security as the network list gives them),
// or of every network when pDot11Ssid is null.
DWORD WlanGetNetworkBssList(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                            const DOT11_SSID* pDot11Ssid, DOT11_BSS_TYPE dot11BssType,
                            BOOL bSecurityEnabled, PVOID pReserved, PWLAN_BSS_LIST* ppWlanBssList);

DWORD WlanQueryInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, WLAN_INTF_OPCODE OpCode,
                         PVOID pReserved, PDWORD pdwDataSize, PVOID* ppData,
                         PWLAN_OPCODE_VALUE_TYPE pWlanOpcodeValueType);

DWORD WlanSetInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, WLAN_INTF_OPCODE OpCode,
                       DWORD dwDataSize, const PVOID pData, PVOID pReserved);

DWORD WlanGetInterfaceCapability(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved,
                                 PWLAN_INTERFACE_CAPABILITY* ppCapability);

DWORD WlanConnect(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                  const WLAN_CONNECTION_PARAMETERS* pConnectionParameters, PVOID pReserved);
DWORD WlanDisconnect(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved);

// dwFlags 0 stores an all-user profile, WLAN_PROFILE_USER a per-user one. ERROR_BAD_PROFILE
// (with the reason) for a document that does not read as a profile; ERROR_ALREADY_EXISTS
// without bOverwrite when the name is taken.
DWORD WlanSetProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags,
                     LPCWSTR strProfileXml, LPCWSTR strAllUserProfileSecurity, BOOL bOverwrite,
                     PVOID pReserved, DWORD* pdwReasonCode);
DWORD WlanGetProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                     PVOID pReserved, LPWSTR* pstrProfileXml, DWORD* pdwFlags,
                     DWORD* pdwGrantedAccess);
// Names are compared exactly. ERROR_NOT_FOUND when there is none.
DWORD WlanDeleteProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                        PVOID pReserved);
DWORD WlanGetProfileList(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved,
                         PWLAN_PROFILE_INFO_LIST* ppProfileList);

// Callbacks run on a thread of the service, one at a time. Source NONE unregisters.
DWORD WlanRegisterNotification(HANDLE hClientHandle, DWORD dwNotifSource, BOOL bIgnoreDuplicate,
                               WLAN_NOTIFICATION_CALLBACK funcCallback, PVOID pCallbackContext,
                               PVOID pReserved, PDWORD pdwPrevNotifSource);

// Opens the credential editor on a stored profile and returns when the user closes it.
DWORD WlanUIEditProfile(DWORD dwClientVersion, LPCWSTR wstrProfileName, GUID* pInterfaceGuid,
                        HWND hWnd, WL_DISPLAY_PAGES wlStartPage, PVOID pReserved,
                        PWLAN_REASON_CODE pWlanReasonCode);

void WlanFreeMemory(PVOID pMemory);
