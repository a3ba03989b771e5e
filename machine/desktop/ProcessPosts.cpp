#include "machine/desktop/Desktop.h"

#include "machine/MachineLock.h"
#include "machine/desktop/Automation.h"
#include "machine/desktop/PeerCredentials.h"
#include "machine/desktop/RuntimeFolder.h"
#include "machine/desktop/SocketAddress.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace machine::desktop
{
namespace
{

// One post on the wire: a fixed record in the host's byte order (sender and receiver run on
// the same host).
struct Record
{
    std::uint32_t magic;
    std::uint32_t hwnd;
    std::uint32_t message;
    std::uint32_t wParam;
    std::int32_t lParam;
};
static_assert(sizeof(Record) == 20);
constexpr std::uint32_t kMagic = 0x31505154; // "TQP1"

// A sent message must not wait forever on a receiver that has stopped draining its socket.
constexpr int kSendTimeoutSeconds = 2;

using detail::SocketAddress;

// What the receiving thread owns; it outlives the thread's slot when the thread stops itself.
struct Core
{
    int socketFd = -1;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::function<void(const PostedMessage&)> callback;

    Core() = default;
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;
    ~Core()
    {
        for (int fd : {socketFd, wakeRead, wakeWrite})
            if (fd >= 0)
                ::close(fd);
    }
};

void receiveLoop(const std::shared_ptr<Core>& core)
{
    pollfd fds[2] = {{core->socketFd, POLLIN, 0}, {core->wakeRead, POLLIN, 0}};
    for (;;)
    {
        if (::poll(fds, 2, -1) < 0)
        {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;
        if ((fds[0].revents & (POLLERR | POLLNVAL)) != 0)
            return;
        if ((fds[0].revents & POLLIN) == 0)
            continue;
        Record record;
        // MSG_TRUNC reports the datagram's real size, so a longer one is told apart.
        bool fromOwnUser = false;
        ssize_t got = detail::ReceiveDatagram(core->socketFd, &record, sizeof record, fromOwnUser);
        if (got != static_cast<ssize_t>(sizeof record) || record.magic != kMagic || !fromOwnUser)
            continue; // not ours, from another user, or nothing after all
        core->callback(PostedMessage{record.hwnd, record.message, record.wParam, record.lParam});
    }
}

struct Slot
{
    std::mutex lock;
    pid_t pid = 0; // the process the contents belong to
    std::shared_ptr<Core> core;
    std::unique_ptr<std::thread> thread;
    std::filesystem::path socketPath;
    // A thread that was stopped from its own callback, joined by the next Start or Stop.
    std::unique_ptr<std::thread> ended;

    ~Slot();
};

// After fork the child has the parent's slot but not its threads: those std::thread objects
// must neither be joined nor destroyed, so they are let go.
void forgetInherited(Slot& slot)
{
    if (slot.pid == 0 || slot.pid == ::getpid())
        return;
    (void)slot.thread.release();
    (void)slot.ended.release();
    slot.core.reset();
    slot.socketPath.clear();
    slot.pid = 0;
}

// The thread that stopped itself, for the caller to join outside the lock; none when it is the
// calling thread. The caller holds the slot's lock.
std::unique_ptr<std::thread> takeEnded(Slot& slot)
{
    forgetInherited(slot);
    if (!slot.ended || slot.ended->get_id() == std::this_thread::get_id())
        return nullptr;
    return std::move(slot.ended);
}

void joinEnded(Slot& slot)
{
    std::unique_ptr<std::thread> ended;
    {
        std::lock_guard guard(slot.lock);
        ended = takeEnded(slot);
    }
    if (ended)
        ended->join();
}

void stop(Slot& slot)
{
    joinEnded(slot);
    std::shared_ptr<Core> core;
    std::unique_ptr<std::thread> thread;
    {
        std::lock_guard guard(slot.lock);
        forgetInherited(slot);
        if (!slot.core)
            return;
        // Removed now, so that a receiver started while this one winds down gets a fresh file.
        ::unlink(slot.socketPath.c_str());
        slot.socketPath.clear();
        core = std::move(slot.core);
        thread = std::move(slot.thread);
    }
    char byte = 1;
    while (::write(core->wakeWrite, &byte, 1) < 0 && errno == EINTR)
    {
    }
    if (thread->get_id() != std::this_thread::get_id())
    {
        thread->join();
        return;
    }
    // Stopped from its own callback: it ends once that returns.
    std::lock_guard guard(slot.lock);
    slot.ended = std::move(thread);
}

Slot::~Slot()
{
    // At exit: the thread must not outlive what its callback uses.
    stop(*this);
    joinEnded(*this);
    if (ended)
        ended->detach(); // exit was called from the callback itself
}

Slot& slot()
{
    static Slot s;
    return s;
}

} // namespace

bool PostToProcess(const Machine& machine, int pid, const PostedMessage& message)
{
    if (pid <= 0)
        return false;
    SocketAddress address(detail::SocketDir(machine) / std::to_string(pid));
    if (!address.valid())
        return false;
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    timeval timeout = {kSendTimeoutSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    Record record = {kMagic, message.hwnd, message.message, message.wParam, message.lParam};
    ssize_t sent;
    do
        sent = ::sendto(fd, &record, sizeof record, MSG_NOSIGNAL, address.get(), address.size());
    while (sent < 0 && errno == EINTR);
    ::close(fd);
    return sent == static_cast<ssize_t>(sizeof record);
}

bool StartReceiving(const Machine& machine, std::function<void(const PostedMessage&)> callback)
{
    Slot& s = slot();
    joinEnded(s);
    MachineLock machineLock(machine);
    std::lock_guard guard(s.lock);
    forgetInherited(s);
    if (s.core)
        return true;
    if (!callback || !detail::RegisterThisProcess(machine))
        return false;

    auto core = std::make_shared<Core>();
    core->callback = std::move(callback);
    int wake[2];
    if (::pipe2(wake, O_CLOEXEC) != 0)
        return false;
    core->wakeRead = wake[0];
    core->wakeWrite = wake[1];
    core->socketFd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (core->socketFd < 0 || !detail::PassSenderCredentials(core->socketFd))
        return false;

    auto path = detail::SocketDir(machine) / std::to_string(::getpid());
    SocketAddress address(path);
    if (!address.valid())
        return false;
    ::unlink(path.c_str()); // left by an earlier run of this process
    if (::bind(core->socketFd, address.get(), address.size()) != 0)
        return false;
    if (!detail::RestrictSocketFile(path))
    {
        ::unlink(path.c_str());
        return false;
    }
    try
    {
        s.thread = std::make_unique<std::thread>(receiveLoop, core);
    }
    catch (const std::system_error&)
    {
        ::unlink(path.c_str());
        return false;
    }
    s.core = std::move(core);
    s.pid = ::getpid();
    s.socketPath = std::move(path);
    // A process that takes posts also answers the desktop's automation requests.
    detail::StartAutomationIfWanted(machine);
    return true;
}

void StopReceiving()
{
    stop(slot());
}

bool IsReceiving()
{
    Slot& s = slot();
    std::lock_guard guard(s.lock);
    forgetInherited(s);
    return s.core != nullptr;
}

} // namespace machine::desktop
