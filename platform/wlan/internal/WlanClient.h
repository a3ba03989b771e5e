#pragma once
// What the WLAN calls share: the client handles, the service check every call makes, GUID and
// text conversions, and the notification dispatcher's entry points.

#include "machine/FileChanges.h"
#include "machine/Machine.h"
#include "platform/base/HandleTable.h"
#include "platform/wlan/WlanApi.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform::wlan
{

// What a client handle names.
class WlanClient : public KernelObject
{
public:
    WlanClient() = default;
    ~WlanClient() override = default;
};

// Held across one query: what changed on the machine is asked of the system once for all of its
// steps (the service check, each file looked at), not at each, which a program asking every few
// seconds would pay for in calls to the system. The query sees the machine as it was when it
// began; the machine's lock is taken only by a step that changes something.
class QueryScope
{
private:
    machine::ChangeScope m_scope;
};

// Every call starts here: ERROR_INVALID_HANDLE for a handle that names no open client, else the
// service's verdict (stopped, or a failure injected for `call`), else 0.
DWORD BeginClientCall(HANDLE client, const char* call, const std::string& detail = {});

// The interface named by the GUID, checked against the service's list: ERROR_INVALID_PARAMETER
// for none, ERROR_NOT_FOUND for one the service does not list.
DWORD CheckInterface(const GUID* guid, std::string& text);

// Zero GUID for text that is not one; platform::GuidText writes the text back, in upper case as
// the service names interfaces.
GUID InterfaceGuid(const std::string& text);

// A wide, terminated copy of `text` (UTF-8) into a fixed field of `capacity` characters;
// truncated to fit.
void CopyWide(WCHAR* field, std::size_t capacity, const std::string& text);
// The UTF-8 text of a terminated wide string; empty for null.
std::string NarrowText(LPCWSTR text);

// SSID bytes into the record, at most 32.
void CopySsid(DOT11_SSID& out, const std::string& ssid);
std::string SsidText(const DOT11_SSID& ssid);

// Drops the handle's notification registration, waiting for a callback of it in progress
// (unless called from inside that callback).
void DropRegistration(HANDLE client);

// A zeroed block of `bytes` (at least one), aligned for any record, counted until
// WlanFreeMemory; null when out of memory.
void* AllocateWlanBlock(std::size_t bytes);

// One block holding a list record: the header up to `itemsOffset`, then `count` items of
// `itemSize` bytes, then `extra` bytes. Never smaller than the list record itself.
template <class List>
List* AllocateList(std::size_t itemsOffset, std::size_t itemSize, std::size_t count,
                   std::size_t extra = 0)
{
    std::size_t bytes = itemsOffset + itemSize * count + extra;
    if (bytes < sizeof(List))
        bytes = sizeof(List);
    return static_cast<List*>(AllocateWlanBlock(bytes));
}

} // namespace platform::wlan
