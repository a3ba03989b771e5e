#pragma once
// The window layer's use of the machine's desktop: the directory of top-level windows and the
// posts between processes. Failures of the machine are swallowed here: a window works in its
// own process even when the directory cannot be written.

#include "platform/ui/UserTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace platform::ui
{

struct ForeignWindow
{
    HWND hwnd = 0;
    int pid = 0;
    std::string title;
    std::string className;
    bool visible = false;
};

// A handle unique on the machine; 0 when none can be had.
HWND AllocateHandle();
bool PublishToDirectory(HWND hwnd, const std::string& title, const std::string& className,
                        bool visible);
void WithdrawFromDirectory(HWND hwnd);
// Top-level windows of the other processes of the machine.
std::vector<ForeignWindow> ForeignWindows();
std::optional<ForeignWindow> FindForeignWindow(HWND hwnd);
bool PostToForeignWindow(const ForeignWindow& window, UINT message, WPARAM wParam, LPARAM lParam);
// Starts taking posts from other processes into the queues of the windows' threads.
void EnsureReceiving();

} // namespace platform::ui
