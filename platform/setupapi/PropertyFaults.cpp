#include "platform/setupapi/PropertyFaults.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <utility>

namespace platform::setupapi
{
namespace
{

struct Faults
{
    std::mutex lock;
    std::map<std::pair<std::string, DWORD>, PropertyFault> byDevice;
};

Faults& faults()
{
    static Faults f;
    return f;
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

void InjectPropertyFault(const std::string& instanceId, DWORD property, PropertyFault fault)
{
    Faults& f = faults();
    std::lock_guard guard(f.lock);
    f.byDevice[{upper(instanceId), property}] = fault;
}

void ClearPropertyFaults()
{
    Faults& f = faults();
    std::lock_guard guard(f.lock);
    f.byDevice.clear();
}

std::optional<PropertyFault> FindPropertyFault(const std::string& instanceId, DWORD property)
{
    Faults& f = faults();
    std::lock_guard guard(f.lock);
    auto it = f.byDevice.find({upper(instanceId), property});
    if (it == f.byDevice.end())
        return std::nullopt;
    return it->second;
}

} // namespace platform::setupapi
