#pragma once
// The Mac Table and Event Log pages of TessarynAp, which list the stations that joined and the
// events of their joining: their templates and texts.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterStationPagesTemplates();
void AddStationPagesStrings(std::map<UINT, std::string>& strings);
