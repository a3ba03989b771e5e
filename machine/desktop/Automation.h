#pragma once
// Automation requests between processes: a process that takes posts also serves requests
// (describe a window, act on it) on a stream socket of its own, <run>/ui/<pid>. One request per
// connection, text both ways: the client writes the request and shuts its side down, the server
// writes the reply and closes. Requests are answered each on a thread of its own, side by side.
// What a request means is the platform's business (the handler).

#include "machine/Machine.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace machine::desktop
{

using AutomationHandler = std::function<std::string(const std::string& request)>;

// Installs the handler (once per process; later calls change nothing). Serving starts with
// receiving posts (StartReceiving), or now when the process already receives.
void SetAutomationHandler(AutomationHandler handler);
bool IsServingAutomation();

// Sends the request to the process and returns its reply; null when the process does not serve
// or does not answer within the timeout.
std::optional<std::string> AskProcess(const Machine& machine, int pid, const std::string& request,
                                      std::chrono::milliseconds timeout = std::chrono::seconds(15));

namespace detail
{
// Called by StartReceiving once it receives.
void StartAutomationIfWanted(const Machine& machine);
} // namespace detail

} // namespace machine::desktop
