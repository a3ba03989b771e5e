#pragma once
// Shared by the control tests: a fresh machine, a modeless dialog made from a template whose
// procedure records what its controls tell it (WM_COMMAND, WM_NOTIFY with the list view
// record copied during the send, the scroll messages), and a scripted WM_NOTIFY answer.

#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace controls_test
{

struct Notice
{
    UINT message = 0;
    int id = 0;
    UINT code = 0; // WM_COMMAND: the notification code; WM_NOTIFY: NMHDR.code; scroll: the code
    HWND from = 0; // the control
    int item = -1; // WM_NOTIFY list view records: iItem
    int subItem = 0;
    UINT newState = 0;
    UINT oldState = 0;
    int pos = 0; // scroll messages: HIWORD(wParam)
    // State read back from the control while the notice was delivered.
    int selectionSeen = -2;
};

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A modeless dialog holding the controls (ids and classes from the template).
    HWND MakeDialog(std::vector<platform::DialogControl> controls);
    HWND Item(int id) const;

    std::vector<Notice> Notices() const { return m_notices; }
    void ClearNotices() { m_notices.clear(); }
    // The WM_COMMAND codes from the control with this id, in order.
    std::vector<UINT> CommandCodes(int id) const;
    // The WM_NOTIFY codes, in order.
    std::vector<UINT> NotifyCodes() const;

    // The answer to a WM_NOTIFY (0 when unset).
    std::function<LRESULT(const Notice&)> m_notifyAnswer;
    // Reads control state while a notice is delivered (stored in Notice::selectionSeen).
    std::function<int(const Notice&)> m_probe;
    // Runs after a notice is recorded (for handlers that change the control meanwhile).
    std::function<void(const Notice&)> m_onNotice;

    testing_support::TempMachine m_machine;
    HWND m_dialog = 0;
    std::vector<Notice> m_notices;

private:
    static LRESULT CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static ControlsTest* s_current;
};

platform::DialogControl Control(const char* className, int id, DWORD style, const char* text = "",
                                RECT rect = {0, 0, 100, 12});

} // namespace controls_test
