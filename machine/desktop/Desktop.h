#pragma once
// What the running processes of a machine share through its run-time folder: window handles,
// the directory of top-level windows, posts between processes, named mutexes.
//
//   <run>/next-hwnd        the next free window handle (hex), changed under the machine lock
//   <run>/procs/<pid>.alive a process that takes part holds a write lock on its file; the kernel
//                          drops it when the process dies, so a reader knows a pid is still the
//                          process that wrote its files (a reused pid holds no lock unless it
//                          registered, and registering clears what the dead one left)
//   <run>/windows/<pid>    the top-level windows of one process, rewritten whole on each change
//   <run>/sock/<pid>       the datagram socket on which the process receives posts
//   <run>/mutex/<name>     one file per named mutex; holders keep a shared flock on it
//
// Nothing here needs cleaning up after a crash: what a dead process left is ignored, and
// removed by the next reader that comes across it.

#include "machine/ChangeWatch.h"
#include "machine/Machine.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace machine::desktop
{

// Window handles are even 32-bit values in [kFirstWindowHandle, kWindowHandleLimit); after the
// last one the counter starts again at the first. 0 and the platform's special values
// (0xFFFF, 0xFFFFFFFD..0xFFFFFFFF) never occur.
inline constexpr std::uint32_t kFirstWindowHandle = 0x00010010u;
inline constexpr std::uint32_t kWindowHandleLimit = 0xFFFF0000u;

// Window titles and class names are bytes: this is the form they take in the window
// directory and wherever they are printed, with "\\", tabs, line ends and every other control
// byte escaped ("\\t", "\\n", "\\xHH").
std::string EscapeText(std::string_view text);

// A fresh window handle, unique among the handles handed out on the machine.
std::uint32_t AllocateWindowHandle(const Machine& machine);

struct TopLevelWindow
{
    std::uint32_t hwnd = 0;
    int pid = 0; // filled in by PublishWindow with the calling process
    std::string title;
    std::string className;
    bool visible = false;
};

// The directory of top-level windows: a process publishes its own, and every process reads all
// of them. Publishing a handle again replaces its entry. False when the directory could not be
// written. Windows of processes that are gone do not appear.
bool PublishWindow(const Machine& machine, const TopLevelWindow& window);
void WithdrawWindow(const Machine& machine, std::uint32_t hwnd);
// Every process's windows, each process's in the order it first published them.
std::vector<TopLevelWindow> ListWindows(const Machine& machine);
// Makes the watch wake when any process's windows change (a wait for a window blocks on it).
// False when the system gave no watch.
bool WatchWindows(ChangeWatch& watch, const Machine& machine);

// A message posted to a window of another process.
struct PostedMessage
{
    std::uint32_t hwnd = 0;
    std::uint32_t message = 0;
    std::uint32_t wParam = 0;
    std::int32_t lParam = 0;
};

// Sends the message to the process; false when it does not receive (gone, never started
// receiving, or stopped) or the message could not be handed over.
bool PostToProcess(const Machine& machine, int pid, const PostedMessage& message);

// Starts receiving this process's posts on a thread of its own; each arrives through the
// callback, on that thread, one at a time. While receiving, a further call changes nothing and
// returns true. False when the socket could not be set up.
bool StartReceiving(const Machine& machine, std::function<void(const PostedMessage&)> callback);
// Ends the thread: once it returns no callback runs any more (when called from the callback
// itself, the thread ends after the callback returns). Posts then fail.
void StopReceiving();
bool IsReceiving();

// A handle to a named mutex of the machine. The mutex exists while any handle to it is open in
// any process; a process that dies releases its handles with it.
class NamedMutex
{
public:
    // Opens or creates; alreadyExisted tells which. Null when the run-time folder cannot be
    // used or the name is empty.
    static std::optional<NamedMutex> Open(const Machine& machine, const std::string& name,
                                          bool& alreadyExisted);
    // Opens only a mutex that exists; null otherwise.
    static std::optional<NamedMutex> OpenExisting(const Machine& machine, const std::string& name);

    NamedMutex(NamedMutex&& other) noexcept;
    NamedMutex& operator=(NamedMutex&& other) noexcept;
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;
    ~NamedMutex();

private:
    explicit NamedMutex(int fd) : m_fd(fd) {}
    int m_fd = -1;
};

} // namespace machine::desktop
