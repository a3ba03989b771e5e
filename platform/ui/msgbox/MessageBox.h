#pragma once
// Message boxes: a real modal dialog of class "#32770" (a static with the text, id 0xFFFF; the
// buttons of the type with their standard ids), its owner disabled while it is up, a nested
// message loop (the thread's timers keep firing) until a button is pressed. Every box shown is
// recorded, and tests (or the automation) find the box that is up and answer it.

#include "platform/ui/UserTypes.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
inline constexpr UINT MB_YESNOCANCEL = 0x00000003;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_RETRYCANCEL = 0x00000005;
inline constexpr UINT MB_ICONHAND = 0x00000010;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONASTERISK = 0x00000040;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_DEFBUTTON1 = 0x00000000;
inline constexpr UINT MB_DEFBUTTON2 = 0x00000100;
inline constexpr UINT MB_DEFBUTTON3 = 0x00000200;
inline constexpr UINT MB_APPLMODAL = 0x00000000;
inline constexpr UINT MB_SYSTEMMODAL = 0x00001000;
inline constexpr UINT MB_TASKMODAL = 0x00002000;
inline constexpr UINT MB_HELP = 0x00004000;
inline constexpr UINT MB_SETFOREGROUND = 0x00010000;
inline constexpr UINT MB_TOPMOST = 0x00040000;
inline constexpr UINT MB_TYPEMASK = 0x0000000F;
inline constexpr UINT MB_ICONMASK = 0x000000F0;
inline constexpr UINT MB_DEFMASK = 0x00000F00;

// The ids of a message box's parts.
inline constexpr int kMessageBoxTextId = 0xFFFF;
inline constexpr int kMessageBoxIconId = 0x0014;

// The caption defaults to "Error". Returns the pressed button's id; Esc or closing the box give
// IDCANCEL when it has a Cancel button (IDOK for a lone OK button; otherwise they do nothing).
// 0 when the box cannot be made, or a quit ends it (the quit is re-posted).
int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
// Makes no sound: the call is recorded (platform::BeepLog).
BOOL MessageBeep(UINT uType);

namespace platform
{

struct MessageBoxRecord
{
    HWND hwnd = 0;
    HWND owner = 0;
    std::string text;
    std::string caption;
    UINT type = 0;
    int answer = 0; // 0 while the box is up
};
// The boxes of this process, in the order they came up.
std::vector<MessageBoxRecord> MessageBoxLog();
void ClearMessageBoxLog();

struct OpenMessageBoxInfo
{
    HWND hwnd = 0;
    std::string text;
    std::string caption;
    UINT type = 0;
    std::vector<int> buttons; // ids, left to right
};
// The box that is up (the latest of this process), if any.
std::optional<OpenMessageBoxInfo> FindOpenMessageBox();
std::vector<OpenMessageBoxInfo> OpenMessageBoxes();
// Presses the button (from any thread; the box ends when its loop next looks at its queue).
// False when hwnd is not an open box or it has no such button.
bool AnswerMessageBox(HWND hwnd, int buttonId);
// The caption text of a button id ("OK", "Cancel", "&Yes", ...), for finding one by text.
std::string MessageBoxButtonText(int buttonId);

// Answers the next boxes, one answer each, in order: each box still comes up, its loop
// dispatches what is due once, then the answer is pressed. An answer the box has no button for
// ends it with IDCANCEL (or IDOK when that is its only button).
void ScriptMessageBoxAnswers(std::vector<int> answers);
std::size_t PendingScriptedAnswers();

struct BeepRecord
{
    int count = 0;
    UINT lastType = 0;
};
BeepRecord BeepLog();
void ClearBeepLog();

} // namespace platform
