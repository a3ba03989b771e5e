#pragma once
// One look at the WLAN service's state, for a call or a lever: read under the machine lock with
// what has fallen due applied, and written back whole when it changed. A line of the state file
// that cannot be read and a state that cannot be written are reported in the service's log.

#include "machine/ErrorCodes.h"
#include "machine/Machine.h"
#include "machine/MachineLock.h"
#include "machine/wlan/ServiceState.h"

#include <cstdint>

namespace machine::wlan
{

class StateSession
{
public:
    explicit StateSession(const Machine& machine);
    StateSession(const StateSession&) = delete;
    StateSession& operator=(const StateSession&) = delete;

    ServiceState& state() { return m_state; }
    // Writes the state when it changed; false when it could not be written.
    bool commit();

private:
    const Machine& m_machine;
    MachineLock m_lock;
    ServiceState m_state;
    ServiceState m_before; // as read
    bool m_writable = true;
};

// The service's state as last read, with what has fallen due applied, without the machine lock:
// a look for a call that mostly only reads.
class StateView
{
public:
    explicit StateView(const Machine& machine);
    StateView(const StateView&) = delete;
    StateView& operator=(const StateView&) = delete;

    ServiceState& state() { return m_state; }
    // The look stands when the file read cleanly and nothing changed the state.
    bool stands() const { return m_clean && m_state == m_before; }

private:
    ServiceState m_state;
    ServiceState m_before;
    bool m_clean = true;
};

// Runs `look` on the state as last read, without the lock; only when it (or what fell due)
// changed the state does it run again, on the state read afresh under the lock, and the state is
// written. So `look` must change nothing but the state it is given.
template <class F> auto LookAtState(const Machine& machine, F&& look)
{
    {
        StateView view(machine);
        auto result = look(view.state());
        if (view.stands())
            return result;
    }
    StateSession session(machine);
    auto result = look(session.state());
    session.commit();
    return result;
}

// Runs `change` on the service's state and writes the state back when it changed. A write that
// fails is logged; `change`'s result is returned as it is.
template <class F> auto WithState(const Machine& machine, F&& change)
{
    StateSession session(machine);
    auto result = change(session.state());
    session.commit();
    return result;
}

// The same for a change whose result is an error number: when the state cannot be written, a
// change that would have succeeded fails with kErrorWriteFault.
template <class F> std::uint32_t ChangeState(const Machine& machine, F&& change)
{
    StateSession session(machine);
    const std::uint32_t error = change(session.state());
    if (!session.commit() && error == 0)
        return kErrorWriteFault;
    return error;
}

} // namespace machine::wlan
