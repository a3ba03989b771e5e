#pragma once
// The Statistics page's dialog template and strings. Their ids are in resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterStatisticTemplates();
void AddStatisticStrings(std::map<UINT, std::string>& strings);
