#pragma once
// The Statistics page's dialog template and texts.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterStatisticTemplates();
void AddStatisticStrings(std::map<UINT, std::string>& strings);
