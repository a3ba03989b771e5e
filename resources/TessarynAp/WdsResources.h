#pragma once
// The WDS page's dialog template and texts.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterWdsTemplates();
void AddWdsStrings(std::map<UINT, std::string>& strings);
