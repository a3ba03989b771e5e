#include "platform/wlan/internal/CallArguments.h"

#include "platform/com/ComRuntime.h"
#include "platform/wlan/internal/WlanClient.h"

#include <cstdio>

namespace platform::wlan
{

std::string InterfaceArgument(const GUID* guid)
{
    return guid == nullptr ? "-" : GuidText(*guid);
}

std::string SsidArgument(const DOT11_SSID* ssid)
{
    if (ssid == nullptr)
        return "ssid=-";
    std::string text = "ssid=\"";
    for (unsigned char c : SsidText(*ssid))
    {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\')
        {
            text += static_cast<char>(c);
            continue;
        }
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
        text += escaped;
    }
    text += '"';
    return text;
}

std::string BytesArgument(const void* data, std::size_t size)
{
    if (data == nullptr || size == 0)
        return "-";
    static const char digits[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text;
    text.reserve(size * 2);
    for (std::size_t k = 0; k < size; ++k)
    {
        text += digits[bytes[k] >> 4];
        text += digits[bytes[k] & 0x0F];
    }
    return text;
}

std::string TextArgument(LPCWSTR text)
{
    if (text == nullptr)
        return "-";
    std::string quoted = "\"";
    quoted += NarrowText(text);
    quoted += '"';
    return quoted;
}

std::string FlagsArgument(DWORD flags)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(flags));
    return text;
}

std::string BssidListArgument(const DOT11_BSSID_LIST* list)
{
    if (list == nullptr)
        return "-";
    if (list->Header.Size < offsetof(DOT11_BSSID_LIST, BSSIDs))
        return "invalid";
    const std::size_t room =
        (list->Header.Size - offsetof(DOT11_BSSID_LIST, BSSIDs)) / sizeof(DOT11_MAC_ADDRESS);
    if (list->uNumOfEntries > room)
        return "invalid";
    if (list->uNumOfEntries == 0)
        return "-";
    std::string text;
    for (ULONG k = 0; k < list->uNumOfEntries; ++k)
    {
        const unsigned char* b = list->BSSIDs[0] + k * sizeof(DOT11_MAC_ADDRESS);
        char one[18];
        std::snprintf(one, sizeof one, "%02x:%02x:%02x:%02x:%02x:%02x", b[0], b[1], b[2], b[3],
                      b[4], b[5]);
        if (!text.empty())
            text += ',';
        text += one;
    }
    return text;
}

} // namespace platform::wlan
