#pragma once
// The string table of TessarynUI: the program's own texts and those several pages show here,
// each page's texts from its resource file. The ids are in resource.h.

#include "platform/Windows.h"
#include "resources/common/LoadText.h"

#include <map>
#include <string>

// The program's own texts (sheet, page captions, tray tips) and those several pages share.
void AddProgramStrings(std::map<UINT, std::string>& strings);

const std::map<UINT, std::string>& TessarynUIStringTable();
