#pragma once
// The 802.11n page's and its add and delete dialogs' templates and strings. Their ids are in
// resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterBlockAckTemplates();
void AddBlockAckStrings(std::map<UINT, std::string>& strings);
