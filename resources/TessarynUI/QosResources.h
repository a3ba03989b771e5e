#pragma once
// The QoS page's and its power-save dialog's templates and strings. Their ids are in resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterQosTemplates();
void AddQosStrings(std::map<UINT, std::string>& strings);
