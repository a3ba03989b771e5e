#pragma once
// The Site Survey page's dialog templates and strings.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterSiteSurveyTemplates();
void AddSiteSurveyStrings(std::map<UINT, std::string>& strings);
