#pragma once
// The 802.1X sheet's Authentication and CA Server pages, the certificate selection dialog and
// the one-time-password dialog: their dialog templates and strings. Their ids are in
// resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

void RegisterDot1xTemplates();
void AddDot1xStrings(std::map<UINT, std::string>& strings);
