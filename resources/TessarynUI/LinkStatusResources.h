#pragma once
// The Link Status page's dialog templates and strings.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterLinkStatusTemplates();
void AddLinkStatusStrings(std::map<UINT, std::string>& strings);
