#pragma once
// Automation across processes. Every process that has a top-level window serves requests on its
// socket (machine/desktop/Automation.h); each request runs on the thread that owns its window,
// and its reply comes when the action has been dispatched, or earlier when the action opened a
// modal loop that now waits for the person (a click that brings up a message box replies then).
//
// A request is one line of tab-separated fields (each escaped as machine::desktop::EscapeText
// does): the verb, then its arguments. A reply is "ok MESSAGE" or "error MESSAGE" on the first
// line, then the body (a drawn window, a list). A program that ends while acting (a close, an
// Enter that ends it) closes the connection without a reply: "ok the program ended".
//
//   describe HWND [all] [rects]      the window drawn as text (FormText.h)
//   tree HWND                        the window as one JSON document (WindowJson.h)
//   click|mouseclick HWND CONTROL    type HWND CONTROL TEXT     settext HWND CONTROL TEXT
//   select HWND CONTROL ENTRY        row HWND CONTROL N 0|1     slide HWND CONTROL POS
//   key HWND enter|esc               close HWND                 sysmenu HWND ITEM
//   menu ITEM                        answer HWND|0 BUTTON       page HWND PAGE
//   menus                            the open popup menus: HWND per line
//   boxes                            the open message boxes: HWND, caption, text per line
//   control HWND CONTROL             the control's state (Query.h)
//   wait HWND CONTROL rows N MS      the state once the control has N rows, or that text; an
//   wait HWND CONTROL text TEXT MS   error with the state last seen when MS pass first
//   timers HWND                      the window's timers: id, period in ms, "callback" or
//                                    "message" (WM_TIMER posted) per line

#include "platform/ui/UserTypes.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace platform::automation
{

// Installs this process's request handler (done automatically where menus, message boxes, the
// tray or the automation are linked; serving starts with the first top-level window).
void EnsureServing();
// The handler itself (the server thread calls it; tests may too).
std::string HandleRequest(const std::string& request);

std::string JoinRequest(const std::vector<std::string>& fields);
std::vector<std::string> SplitRequest(const std::string& request);

struct Reply
{
    bool ok = false;
    std::string message;
    std::string body;
};
Reply ParseReply(const std::string& reply);
// Sends the request to the process; an error reply when it does not serve or answer (within
// 15 s, or the timeout given).
Reply AskProgram(int pid, const std::vector<std::string>& fields);
Reply AskProgram(int pid, const std::vector<std::string>& fields,
                 std::chrono::milliseconds timeout);

std::string HandleText(HWND hwnd);
std::optional<HWND> ParseHandle(const std::string& text);

} // namespace platform::automation
