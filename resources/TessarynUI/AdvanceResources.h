#pragma once
// The Advanced page's dialog template and strings, and the region lists of its template, which
// the page fills again by chip type. Their ids are in resource.h.

#include "platform/Windows.h"

#include <map>
#include <string>

// The 2.4 GHz region lists, index = region code: with the regulators' names (chip types 0 and
// 1), and by channels only (the template's items, the other chip types).
extern const char* const g_aszRegionBgNames[8];
extern const char* const g_aszRegionBgChannels[8];
// The 5 GHz list, index = region code: the template's 11 items; chip types 6 to 8 take the
// first 9 (REGION_A_NINE).
#define REGION_A_COUNT 11
#define REGION_A_NINE 9
extern const char* const g_aszRegionAChannels[REGION_A_COUNT];

void RegisterAdvanceTemplates();
void AddAdvanceStrings(std::map<UINT, std::string>& strings);
