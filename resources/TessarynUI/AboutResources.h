#pragma once
// The About page's dialog templates and strings.

#include "platform/Windows.h"

#include <map>
#include <string>

#define IDS_ABOUT_DRIVER_VERSION 1
#define IDS_ABOUT_DATE 2
#define IDS_ABOUT_MAC 3
#define IDS_ABOUT_UTILITY_VERSION 4
#define IDS_ABOUT_IP 56
#define IDS_ABOUT_MASK 57
#define IDS_ABOUT_GATEWAY 58
#define IDS_ABOUT_EEPROM 231
#define IDS_ABOUT_FIRMWARE 1244

void RegisterAboutTemplates();
void AddAboutStrings(std::map<UINT, std::string>& strings);
