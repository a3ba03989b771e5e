#pragma once
// IP Helper: the adapter list with each adapter's addresses (GetAdaptersInfo). The list is the
// machine's network connections that have an address and whose adapter is present.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

#include <cstddef>
#include <cstdint>

inline constexpr int MAX_ADAPTER_DESCRIPTION_LENGTH = 128;
inline constexpr int MAX_ADAPTER_NAME_LENGTH = 256;
inline constexpr int MAX_ADAPTER_ADDRESS_LENGTH = 8;

inline constexpr UINT MIB_IF_TYPE_OTHER = 1;
inline constexpr UINT MIB_IF_TYPE_ETHERNET = 6;
inline constexpr UINT MIB_IF_TYPE_PPP = 23;
inline constexpr UINT IF_TYPE_IEEE80211 = 71;

inline constexpr DWORD ERROR_NO_DATA = 232;

using PULONG = ULONG*;

// Dotted-quad text, zero-terminated ("192.168.1.20").
struct IP_ADDRESS_STRING
{
    char String[4 * 4];
};
using IP_MASK_STRING = IP_ADDRESS_STRING;
static_assert(sizeof(IP_ADDRESS_STRING) == 16);

// The links point inside the caller's buffer: the whole list, its entries and their address
// chains live in the one buffer GetAdaptersInfo filled.
struct IP_ADDR_STRING
{
    IP_ADDR_STRING* Next;
    IP_ADDRESS_STRING IpAddress;
    IP_MASK_STRING IpMask;
    DWORD Context;
};
using PIP_ADDR_STRING = IP_ADDR_STRING*;

using IP_LEASE_TIME = std::int64_t; // seconds since 1970, 64-bit as the platform's time_t

struct IP_ADAPTER_INFO
{
    IP_ADAPTER_INFO* Next;
    DWORD ComboIndex;
    char AdapterName[MAX_ADAPTER_NAME_LENGTH + 4];
    char Description[MAX_ADAPTER_DESCRIPTION_LENGTH + 4];
    UINT AddressLength;
    BYTE Address[MAX_ADAPTER_ADDRESS_LENGTH];
    DWORD Index;
    UINT Type;
    UINT DhcpEnabled;
    PIP_ADDR_STRING CurrentIpAddress;
    IP_ADDR_STRING IpAddressList;
    IP_ADDR_STRING GatewayList;
    IP_ADDR_STRING DhcpServer;
    BOOL HaveWins;
    IP_ADDR_STRING PrimaryWinsServer;
    IP_ADDR_STRING SecondaryWinsServer;
    IP_LEASE_TIME LeaseObtained;
    IP_LEASE_TIME LeaseExpires;
};
using PIP_ADAPTER_INFO = IP_ADAPTER_INFO*;

// The list holds real pointers, so its layout is the one of the pointer width it runs at.
static_assert(offsetof(IP_ADDR_STRING, IpAddress) == sizeof(void*));
static_assert(sizeof(IP_ADDR_STRING) == (sizeof(void*) == 4 ? 40 : 48));
static_assert(offsetof(IP_ADAPTER_INFO, AdapterName) == sizeof(void*) + 4);
static_assert(offsetof(IP_ADAPTER_INFO, AddressLength) == (sizeof(void*) == 4 ? 400 : 404));
static_assert(offsetof(IP_ADAPTER_INFO, Address) == (sizeof(void*) == 4 ? 404 : 408));
static_assert(offsetof(IP_ADAPTER_INFO, IpAddressList) == (sizeof(void*) == 4 ? 428 : 440));
static_assert(offsetof(IP_ADAPTER_INFO, GatewayList) == (sizeof(void*) == 4 ? 468 : 488));
static_assert(sizeof(IP_ADAPTER_INFO) == (sizeof(void*) == 4 ? 648 : 704));

// pOutBufLen null: ERROR_INVALID_PARAMETER. No adapter: ERROR_NO_DATA. A null buffer or one
// smaller than the list: ERROR_BUFFER_OVERFLOW with the size needed in *pOutBufLen. Otherwise
// the list is written from the start of the buffer and ERROR_SUCCESS returned. The machine may
// be told to fail the call (its injected error is returned, nothing written).
DWORD GetAdaptersInfo(PIP_ADAPTER_INFO pAdapterInfo, PULONG pOutBufLen);
