#pragma once
// The 11n page's template and those of its add and delete dialogs, and their texts.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterBlockAckTemplates();
void AddBlockAckStrings(std::map<UINT, std::string>& strings);
