#pragma once
// The Link Status page's dialog template and texts.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterLinkStatusTemplates();
void AddLinkStatusStrings(std::map<UINT, std::string>& strings);
