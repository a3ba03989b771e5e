#pragma once
// The Site Survey page's and the hidden-SSID dialog's templates and strings. Their ids are in
// resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterSiteSurveyTemplates();
void AddSiteSurveyStrings(std::map<UINT, std::string>& strings);
