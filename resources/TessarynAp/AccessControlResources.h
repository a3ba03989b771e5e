#pragma once
// The Access Control page of TessarynAp: its template and texts.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterAccessControlTemplate();
void AddAccessControlStrings(std::map<UINT, std::string>& strings);
