#pragma once
// A thread-safe table of objects named by 32-bit handle values, as the platform hands them
// out: multiples of four from a first value, never 0, a value in use never given twice.

#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace platform
{

template <class Value> class HandleMap
{
public:
    explicit HandleMap(std::uint32_t first) : m_first(first), m_next(first) {}

    std::uint32_t Add(Value value)
    {
        std::lock_guard guard(m_lock);
        std::uint32_t handle;
        do
        {
            handle = m_next;
            m_next += 4;
            if (m_next >= kLimit)
                m_next = m_first;
        } while (m_values.count(handle) != 0);
        m_values.emplace(handle, std::move(value));
        return handle;
    }

    // A copy of the value, or nullopt when the handle names nothing.
    std::optional<Value> Find(std::uint32_t handle) const
    {
        std::lock_guard guard(m_lock);
        auto it = m_values.find(handle);
        if (it == m_values.end())
            return std::nullopt;
        return it->second;
    }

    // Removes the handle and hands its value back, so it dies outside the table's lock.
    std::optional<Value> Take(std::uint32_t handle)
    {
        std::lock_guard guard(m_lock);
        auto it = m_values.find(handle);
        if (it == m_values.end())
            return std::nullopt;
        std::optional<Value> value(std::move(it->second));
        m_values.erase(it);
        return value;
    }

    std::size_t Size() const
    {
        std::lock_guard guard(m_lock);
        return m_values.size();
    }

private:
    static constexpr std::uint32_t kLimit = 0x7FFFFFF0u;

    mutable std::mutex m_lock;
    std::unordered_map<std::uint32_t, Value> m_values;
    std::uint32_t m_first;
    std::uint32_t m_next;
};

} // namespace platform
