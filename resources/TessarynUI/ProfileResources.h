#pragma once
// The Profile page's dialog template and the strings of the page and of the profile editor.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterProfileTemplates();
void AddProfileStrings(std::map<UINT, std::string>& strings);
