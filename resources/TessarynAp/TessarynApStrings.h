#pragma once
// The string table of TessarynAp: the program's own texts and those several pages show here,
// each page's and dialog's texts from its resource file. The ids are in resource.h.

#include "platform/Windows.h"
#include "resources/common/LoadText.h"

#include <map>
#include <string>

const std::map<UINT, std::string>& TessarynApStringTable();
