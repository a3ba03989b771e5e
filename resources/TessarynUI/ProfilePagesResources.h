#pragma once
// The profile editor's System Configuration and Authentication and Security pages: their
// dialog templates and strings. Their ids are in resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterProfilePagesTemplates();
void AddProfilePagesStrings(std::map<UINT, std::string>& strings);
