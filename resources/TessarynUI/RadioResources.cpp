#include "resources/TessarynUI/RadioResources.h"

#include "resources/TessarynUI/resource.h"

void AddRadioStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_APPLY, "Apply"},
        {IDS_MODE_B, "802.11 B only"},
        {IDS_MODE_BG, "802.11 B/G mix"},
        {IDS_MODE_A, "802.11 A only"},
        {IDS_MODE_ABG, "802.11 A/B/G mix"},
        {IDS_MODE_G, "802.11 G only"},
        {IDS_MODE_N, "802.11 N only"},
        {IDS_MODE_ABGN, "802.11 A/B/G/N mix"},
        {IDS_MODE_GN, "802.11 G/N mix"},
        {IDS_MODE_AN, "802.11 A/N mix"},
        {IDS_MODE_BGN, "802.11 B/G/N mix"},
    });
}
