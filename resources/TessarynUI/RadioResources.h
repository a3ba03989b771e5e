#pragma once
// The texts the radio pages share: "Apply" and the names of the wireless modes. Their ids are in
// resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

void AddRadioStrings(std::map<UINT, std::string>& strings);
