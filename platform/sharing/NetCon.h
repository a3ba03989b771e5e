#pragma once
// The home-networking configuration objects: the sharing manager (ProgID "HNetCfg.HNetShare.1")
// lists the machine's network connections, gives each one's properties and its Internet
// Connection Sharing configuration, through which sharing is turned on (as the public or the
// private side) and off. On the platform these are automation interfaces; here they derive from
// IUnknown directly, as nothing calls them by dispatch.

#include "platform/com/Bstr.h"
#include "platform/com/ComTypes.h"
#include "platform/com/Variant.h"

// The platform's enums are int-sized; a fixed type makes any number a caller or the machine
// hands over a value of the enum (see TOKEN_INFORMATION_CLASS).
enum NETCON_STATUS : int
{
    NCS_DISCONNECTED = 0,
    NCS_CONNECTING = 1,
    NCS_CONNECTED = 2,
    NCS_DISCONNECTING = 3,
    NCS_HARDWARE_NOT_PRESENT = 4,
    NCS_HARDWARE_DISABLED = 5,
    NCS_HARDWARE_MALFUNCTION = 6,
    NCS_MEDIA_DISCONNECTED = 7,
    NCS_AUTHENTICATING = 8,
    NCS_AUTHENTICATION_SUCCEEDED = 9,
    NCS_AUTHENTICATION_FAILED = 10,
    NCS_INVALID_ADDRESS = 11,
    NCS_CREDENTIALS_REQUIRED = 12,
};

enum NETCON_MEDIATYPE : int
{
    NCM_NONE = 0,
    NCM_DIRECT = 1,
    NCM_ISDN = 2,
    NCM_LAN = 3,
    NCM_PHONE = 4,
    NCM_TUNNEL = 5,
    NCM_PPPOE = 6,
    NCM_BRIDGE = 7,
    NCM_SHAREDACCESSHOST_LAN = 8,
    NCM_SHAREDACCESSHOST_RAS = 9,
};

enum SHARINGCONNECTIONTYPE : int
{
    ICSSHARINGTYPE_PUBLIC = 0x0,
    ICSSHARINGTYPE_PRIVATE = 0x1,
};
using ICSSHARINGTYPE = SHARINGCONNECTIONTYPE;

// {5C63C1AD-3956-4FF8-8486-40034758315B}
inline constexpr CLSID CLSID_NetSharingManager = {
    0x5C63C1AD, 0x3956, 0x4FF8, {0x84, 0x86, 0x40, 0x03, 0x47, 0x58, 0x31, 0x5B}};

// One network connection.
class INetConnection : public IUnknown
{
public:
    static constexpr IID kIid = {
        0xC08956A1, 0x1CD3, 0x11D1, {0xB1, 0xC5, 0x00, 0x80, 0x5F, 0xC1, 0x27, 0x0E}};

protected:
    ~INetConnection() = default;
};

class INetConnectionProps : public IUnknown
{
public:
    static constexpr IID kIid = {
        0xF4277C95, 0xCE5B, 0x463D, {0x81, 0x67, 0x56, 0x62, 0xD9, 0xBC, 0xAA, 0x72}};
    // "{...}", the adapter's identifier.
    virtual HRESULT get_Guid(BSTR* pbstrGuid) = 0;
    virtual HRESULT get_Name(BSTR* pbstrName) = 0;
    // The adapter's description.
    virtual HRESULT get_DeviceName(BSTR* pbstrDeviceName) = 0;
    virtual HRESULT get_Status(NETCON_STATUS* pStatus) = 0;
    virtual HRESULT get_MediaType(NETCON_MEDIATYPE* pMediaType) = 0;
    virtual HRESULT get_Characteristics(DWORD* pdwFlags) = 0;

protected:
    ~INetConnectionProps() = default;
};

class INetSharingConfiguration : public IUnknown
{
public:
    static constexpr IID kIid = {
        0xC08956B6, 0x1CD3, 0x11D1, {0xB1, 0xC5, 0x00, 0x80, 0x5F, 0xC1, 0x27, 0x0E}};
    virtual HRESULT get_SharingEnabled(VARIANT_BOOL* pbEnabled) = 0;
    // E_UNEXPECTED (and PUBLIC) while the connection is not shared.
    virtual HRESULT get_SharingConnectionType(SHARINGCONNECTIONTYPE* pType) = 0;
    virtual HRESULT DisableSharing() = 0;
    // One connection of each type: enabling one turns it off on the connection that had it.
    virtual HRESULT EnableSharing(SHARINGCONNECTIONTYPE Type) = 0;

protected:
    ~INetSharingConfiguration() = default;
};

class INetSharingEveryConnectionCollection : public IUnknown
{
public:
    static constexpr IID kIid = {
        0x33C4643C, 0x7811, 0x46FA, {0xA8, 0x9A, 0x76, 0x85, 0x97, 0xBD, 0x72, 0x23}};
    // An enumerator (ask it for IEnumVARIANT) of the connections as VT_UNKNOWN items.
    virtual HRESULT get__NewEnum(IUnknown** pVal) = 0;
    virtual HRESULT get_Count(LONG* pVal) = 0;

protected:
    ~INetSharingEveryConnectionCollection() = default;
};

class INetSharingManager : public IUnknown
{
public:
    static constexpr IID kIid = {
        0xC08956B7, 0x1CD3, 0x11D1, {0xB1, 0xC5, 0x00, 0x80, 0x5F, 0xC1, 0x27, 0x0E}};
    virtual HRESULT get_SharingInstalled(VARIANT_BOOL* pbInstalled) = 0;
    virtual HRESULT get_EnumEveryConnection(INetSharingEveryConnectionCollection** ppColl) = 0;
    virtual HRESULT get_NetConnectionProps(INetConnection* pNetConnection,
                                           INetConnectionProps** ppProps) = 0;
    virtual HRESULT get_INetSharingConfigurationForINetConnection(
        INetConnection* pNetConnection, INetSharingConfiguration** ppNetSharingConfiguration) = 0;

protected:
    ~INetSharingManager() = default;
};

inline constexpr IID IID_INetConnection = INetConnection::kIid;
inline constexpr IID IID_INetConnectionProps = INetConnectionProps::kIid;
inline constexpr IID IID_INetSharingConfiguration = INetSharingConfiguration::kIid;
inline constexpr IID IID_INetSharingEveryConnectionCollection =
    INetSharingEveryConnectionCollection::kIid;
inline constexpr IID IID_INetSharingManager = INetSharingManager::kIid;
