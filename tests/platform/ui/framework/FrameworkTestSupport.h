#pragma once
// Shared by the framework tests: a fresh machine, the manual clock, an empty queue, and small
// helpers to enter templates and answer the boxes a test brings up.

#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace framework_test
{

class FrameworkTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    testing_support::TempMachine m_machine;
};

// A control line of a template (rectangles in dialog units).
platform::DialogControl Control(const char* className, int id, DWORD style, const char* text = "",
                                RECT rect = {0, 0, 40, 12});
void RegisterTemplate(UINT id, const char* caption, std::vector<platform::DialogControl> controls,
                      RECT rect = {0, 0, 200, 100}, DWORD style = 0);

// The text of a window.
std::string TextOf(HWND hwnd);
// The visible top-level "#32770" window of this thread that is not `except`, or 0.
HWND FindDialog(const char* caption);

} // namespace framework_test
