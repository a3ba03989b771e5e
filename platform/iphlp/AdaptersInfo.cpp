#include "platform/iphlp/IpHlpApi.h"

#include "machine/network/IpAdapters.h"

#include <cstring>
#include <new>
#include <string>

namespace
{

namespace net = machine::network;

// Zero-terminated and cut to the field: a long name never runs into the next field.
template <std::size_t N> void copyText(char (&field)[N], const std::string& text)
{
    const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

UINT typeOf(net::IpAdapterKind kind)
{
    switch (kind)
    {
    case net::IpAdapterKind::Wireless:
        return IF_TYPE_IEEE80211;
    case net::IpAdapterKind::Ppp:
        return MIB_IF_TYPE_PPP;
    case net::IpAdapterKind::Ethernet:
        break;
    }
    return MIB_IF_TYPE_ETHERNET;
}

void fill(IP_ADAPTER_INFO& info, const net::IpAdapter& a)
{
    info.ComboIndex = a.index;
    info.Index = a.index;
    copyText(info.AdapterName, a.name);
    copyText(info.Description, a.description);
    info.AddressLength = static_cast<UINT>(a.mac.size());
    std::memcpy(info.Address, a.mac.data(), a.mac.size());
    info.Type = typeOf(a.kind);
    info.DhcpEnabled = a.dhcp ? 1 : 0;
    copyText(info.IpAddressList.IpAddress.String, a.ip);
    copyText(info.IpAddressList.IpMask.String, a.mask);
    info.IpAddressList.Context = a.index;
    // An adapter without a default gateway reports the unspecified address.
    copyText(info.GatewayList.IpAddress.String, a.gateway.empty() ? "0.0.0.0" : a.gateway);
    copyText(info.GatewayList.IpMask.String, a.gateway.empty() ? "0.0.0.0" : "255.255.255.255");
    if (a.dhcp && !a.gateway.empty())
        copyText(info.DhcpServer.IpAddress.String, a.gateway);
    info.HaveWins = FALSE;
}

} // namespace

DWORD GetAdaptersInfo(PIP_ADAPTER_INFO pAdapterInfo, PULONG pOutBufLen)
{
    if (pOutBufLen == nullptr)
        return ERROR_INVALID_PARAMETER;
    try
    {
        const machine::Machine& m = machine::CurrentMachine();
        if (auto failure = net::TakeIpHelperFailure(m))
            return *failure;
        const auto adapters = net::ListIpAdapters(m);
        if (adapters.empty())
            return ERROR_NO_DATA;
        const ULONG needed = static_cast<ULONG>(adapters.size() * sizeof(IP_ADAPTER_INFO));
        if (pAdapterInfo == nullptr || *pOutBufLen < needed)
        {
            *pOutBufLen = needed;
            return ERROR_BUFFER_OVERFLOW;
        }
        std::memset(static_cast<void*>(pAdapterInfo), 0, needed);
        for (std::size_t i = 0; i < adapters.size(); ++i)
        {
            fill(pAdapterInfo[i], adapters[i]);
            pAdapterInfo[i].Next = i + 1 < adapters.size() ? &pAdapterInfo[i + 1] : nullptr;
        }
        return ERROR_SUCCESS;
    }
    catch (const std::bad_alloc&)
    {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}
