#pragma once
// Everything of the platform that the programs call, in one include.

#include "platform/base/HandleTable.h"
#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"
#include "platform/file/WinPath.h"
