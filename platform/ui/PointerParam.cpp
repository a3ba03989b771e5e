#include "platform/ui/PointerParam.h"

#include <mutex>
#include <unordered_map>

namespace platform
{
namespace
{

struct Tokens
{
    std::mutex mutex;
    std::unordered_map<std::uint32_t, void*> pointers;
    // Tokens are negative as LPARAMs, so they do not look like small numbers or handles.
    std::uint32_t next = 0x80000001u;
};

Tokens& tokens()
{
    static Tokens* instance = new Tokens;
    return *instance;
}

} // namespace

PointerParam::PointerParam(const void* pointer)
{
    if (pointer == nullptr)
        return;
    Tokens& t = tokens();
    std::lock_guard lock(t.mutex);
    std::uint32_t token;
    do
    {
        token = t.next++;
        if (t.next == 0)
            t.next = 0x80000001u;
    } while (token == 0 || t.pointers.count(token) != 0);
    t.pointers[token] = const_cast<void*>(pointer);
    m_token = static_cast<LPARAM>(token);
}

PointerParam::~PointerParam()
{
    if (m_token == 0)
        return;
    Tokens& t = tokens();
    std::lock_guard lock(t.mutex);
    t.pointers.erase(static_cast<std::uint32_t>(m_token));
}

void* PointerFromParam(LPARAM param)
{
    if (param == 0)
        return nullptr;
    Tokens& t = tokens();
    std::lock_guard lock(t.mutex);
    auto it = t.pointers.find(static_cast<std::uint32_t>(param));
    return it == t.pointers.end() ? nullptr : it->second;
}

} // namespace platform
