#include "platform/file/DeviceOpen.h"

#include "platform/base/WinError.h"
#include "platform/device/StandardDevices.h"

#include <mutex>
#include <utility>
#include <vector>

namespace platform
{
namespace
{

struct Openers
{
    std::mutex lock;
    int nextId = 1;
    std::vector<std::pair<int, DeviceOpener>> list;
};

Openers& openers()
{
    static Openers o;
    return o;
}

} // namespace

int RegisterDeviceOpener(DeviceOpener opener)
{
    Openers& o = openers();
    std::lock_guard guard(o.lock);
    int id = o.nextId++;
    o.list.emplace_back(id, std::move(opener));
    return id;
}

void UnregisterDeviceOpener(int id)
{
    Openers& o = openers();
    std::lock_guard guard(o.lock);
    std::erase_if(o.list, [id](const auto& entry) { return entry.first == id; });
}

HANDLE OpenDevice(const DeviceOpenRequest& request)
{
    // Named here so the machine's own devices are linked into every program that opens one.
    RegisterStandardDeviceOpeners();
    // Copied out so an opener may itself open devices or register openers.
    std::vector<DeviceOpener> snapshot;
    {
        Openers& o = openers();
        std::lock_guard guard(o.lock);
        for (const auto& entry : o.list)
            snapshot.push_back(entry.second);
    }
    for (const auto& opener : snapshot)
        if (auto handle = opener(request))
            return *handle;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

} // namespace platform
