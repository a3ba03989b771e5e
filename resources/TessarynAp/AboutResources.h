#pragma once
// The About page's dialog template and texts.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterAboutTemplates();
void AddAboutStrings(std::map<UINT, std::string>& strings);
