#pragma once
// The machine tool's commands: the one list its usage text and its dispatch are made from.

#include "tools/vnmachine/CommandTable.h"

CommandTable VnmachineCommands();
