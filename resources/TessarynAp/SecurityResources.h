#pragma once
// The security dialog of TessarynAp: its template and texts.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterSecurityTemplate();
void AddSecurityStrings(std::map<UINT, std::string>& strings);
