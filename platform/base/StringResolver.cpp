#include "platform/base/StringResolver.h"

#include <memory>
#include <mutex>

namespace platform
{
namespace
{

struct Registry
{
    std::mutex lock;
    std::shared_ptr<const StringResolver> resolver;
};

Registry& registry()
{
    static Registry* r = new Registry; // outlives static destruction: threads may still load texts
    return *r;
}

} // namespace

void SetStringResolver(StringResolver resolver)
{
    auto next = resolver ? std::make_shared<const StringResolver>(std::move(resolver)) : nullptr;
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    r.resolver = std::move(next);
}

std::optional<std::string> ResolveString(UINT id)
{
    std::shared_ptr<const StringResolver> resolver;
    {
        Registry& r = registry();
        std::lock_guard guard(r.lock);
        resolver = r.resolver;
    }
    // Called outside the lock, so a resolver may itself load strings.
    return resolver ? (*resolver)(id) : std::nullopt;
}

} // namespace platform
