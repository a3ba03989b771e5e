#pragma once
// The arguments of a WLAN call as its line in the service's log shows them, each as the caller
// gave it (before any check), so a reader sees exactly what was asked: "-" for a null pointer,
// bytes in hexadecimal, texts quoted.

#include "platform/wlan/WlanApi.h"

#include <string>

namespace platform::wlan
{

// "{GUID}" or "-".
std::string InterfaceArgument(const GUID* guid);
// "ssid=\"...\"" (bytes outside printable ASCII as \xNN; at most 32) or "ssid=-".
std::string SsidArgument(const DOT11_SSID* ssid);
// The bytes in hexadecimal, "-" for none.
std::string BytesArgument(const void* data, std::size_t size);
// A wide text quoted, "-" for null.
std::string TextArgument(LPCWSTR text);
// "0x0000000A".
std::string FlagsArgument(DWORD flags);
// The BSSIDs of a desired list ("aa:bb:cc:dd:ee:ff,..."), "-" for none, "invalid" for a list
// whose header does not hold the entries it counts.
std::string BssidListArgument(const DOT11_BSSID_LIST* list);

} // namespace platform::wlan
