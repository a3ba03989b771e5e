#pragma once
// vnmachine driver answer: a fixed answer of the adapter's driver for one query code, so that a
// test sets up what a program reads without editing the adapter's state by hand.

#include "tools/vnmachine/Command.h"

#include <string>

// The words after "answer", on the adapter `deviceId` names (the first one when empty).
int RunDriverAnswer(const std::string& deviceId, const Words& args);
