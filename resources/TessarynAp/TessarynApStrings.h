#pragma once
// The string table of TessarynAp. The ids are in resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

const std::map<UINT, std::string>& TessarynApStringTable();
