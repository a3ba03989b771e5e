#pragma once
// The About page's dialog templates and strings.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterAboutTemplates();
void AddAboutStrings(std::map<UINT, std::string>& strings);
