#pragma once
// Where the framework (and tests) plug into the window layer.

#include "platform/ui/UserTypes.h"

#include <functional>

namespace platform::ui
{

// The next window the calling thread creates is handed to fn before its first message, so a
// framework object can take it over (attach itself and its window procedure). One-shot.
using CreationHook = void (*)(HWND hwnd, void* context);
void HookNextWindowCreation(CreationHook fn, void* context);
void CancelWindowCreationHook();
// Called by window creation: runs and clears the hook, if any.
void RunWindowCreationHook(HWND hwnd);

// Told of every window of the process that is gone (after its last message).
using WindowGoneListener = void (*)(HWND hwnd);
void SetWindowGoneListener(WindowGoneListener fn);
void NotifyWindowGone(HWND hwnd);

// The framework's PreTranslateMessage walk, applied by loops that are not the framework's
// (PumpUntilIdle). Returns true when the message was handled and must not be dispatched.
using PreTranslateFilter = bool (*)(MSG* msg);
void SetPreTranslateFilter(PreTranslateFilter fn);
bool RunPreTranslateFilter(MSG* msg);

// Run by every message loop of the calling thread each time it has dispatched all it had and is
// about to sleep, so that someone waiting for a window's state looks at it only when it may have
// changed. A watcher returns true when it is done (it is then dropped), false to be run again at
// the next such point. It must not post or send anything: that would wake the loop for nothing.
void AddIdleWatcher(std::function<bool()> watcher);
void RunIdleWatchers();

// The calling thread's idle hook (see platform::SetIdleHook).
void SetThreadIdleHook(std::function<void()> hook);
// Runs the hook when there is one; returns false when there is none.
bool RunThreadIdleHook();

} // namespace platform::ui
