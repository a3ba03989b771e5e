#pragma once
// The About page's dialog template and strings. Their ids are in resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterAboutTemplates();
void AddAboutStrings(std::map<UINT, std::string>& strings);
