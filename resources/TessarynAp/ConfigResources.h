#pragma once
// The Config page of TessarynAp: its template and texts.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterConfigTemplate();
void AddConfigStrings(std::map<UINT, std::string>& strings);
