#pragma once
// The Link Status page's dialog template and strings. Their ids are in resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterLinkStatusTemplates();
void AddLinkStatusStrings(std::map<UINT, std::string>& strings);
