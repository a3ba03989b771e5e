#include "machine/wlan/StateSession.h"

#include "machine/MachineClock.h"
#include "machine/wlan/Interfaces.h"
#include "machine/wlan/StateFile.h"

#include <map>
#include <mutex>
#include <string>

namespace machine::wlan
{
namespace
{

// The problems of a state file are logged once for each version of the file a process reads,
// not at every call that reads it.
bool FirstReadOfThisVersion(const Machine& m)
{
    // Built on first use and never destroyed: threads may still use it while the process ends.
    struct Reported
    {
        std::mutex lock;
        std::map<std::string, std::string> stamps; // file -> stamp of the version reported
    };
    static Reported* reported = new Reported;
    const std::string stamp = StateFileStamp(m);
    std::lock_guard guard(reported->lock);
    std::string& last = reported->stamps[StateFilePath(m).string()];
    if (last == stamp)
        return false;
    last = stamp;
    return true;
}

} // namespace

StateSession::StateSession(const Machine& machine) : m_machine(machine), m_lock(machine)
{
    StateFileContents contents = LoadState(machine);
    if (!contents.problems.empty() && FirstReadOfThisVersion(machine))
        for (const auto& problem : contents.problems)
            Log(machine, DescribeProblem(StateFilePath(machine), problem));
    m_writable = contents.readable;
    m_state = std::move(contents.state);
    m_before = m_state; // what falls due changes the state too, and is written with the call's
    ApplyDueConnects(machine, m_state, MachineNow());
}

StateView::StateView(const Machine& machine)
{
    StateFileContents contents = LoadState(machine);
    // Problems are reported, and what cannot be read is not written, by a session.
    m_clean = contents.readable && contents.problems.empty();
    m_state = std::move(contents.state);
    m_before = m_state;
    // A connect that fell due changes the adapter as well: that is for the session to do.
    const std::uint64_t now = MachineNow();
    for (const auto& [guid, i] : m_state.interfaces)
        if (i.pending && i.pending->due <= now)
            m_clean = false;
}

bool StateSession::commit()
{
    // A change that leaves the file's text as it was (a value the file does not keep) writes
    // nothing either: only a change of the contents costs a write.
    if (m_state == m_before || FormatState(m_state) == FormatState(m_before))
        return true;
    std::string error = "not written, as it could not be read";
    if (m_writable && SaveState(m_machine, m_state, error))
    {
        m_before = m_state;
        return true;
    }
    Log(m_machine, DescribeProblem(StateFilePath(m_machine), {0, error}));
    return false;
}

} // namespace machine::wlan
