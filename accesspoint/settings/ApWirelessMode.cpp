#include "accesspoint/settings/ApWirelessMode.h"

#include "accesspoint/app/ApGlobals.h"
#include "adapter/discovery/AdapterState.h"

#include <cstdlib>
#include <cstring>

namespace
{

const struct
{
    int nMode;
    const char* pszText;
} kModeLabels[] = {
    {0, "802.11 B/G Mixed"}, {1, "802.11 B Only"},  {2, "802.11 A Only"},
    {3, "802.11 A/B/G Mix"}, {4, "802.11 G Only"},  {5, "802.11 A/B/G/N mix"},
    {6, "802.11 N"},         {8, "802.11 A/N mix"}, {9, "802.11 B/G/N mix"},
};

} // namespace

void AdjustApWirelessMode(int& nMode)
{
    if (!g_bABandSupported)
    {
        if (nMode == 2 || nMode == 3)
            nMode = 0;
        else if (nMode == 5)
            nMode = 9;
        else if (nMode == 8)
            nMode = 6;
    }
    if (!g_bHtSupported)
    {
        if (nMode == 5)
            nMode = 3;
        else if (nMode == 6 || nMode == 9)
            nMode = 0;
    }
}

void AdjustApWirelessModeText(CString& strMode)
{
    int nMode = atoi(strMode);
    AdjustApWirelessMode(nMode);
    strMode.Format("%d", nMode);
}

CString ApWirelessModeText(int nMode)
{
    for (const auto& label : kModeLabels)
    {
        if (label.nMode == nMode)
            return label.pszText;
    }
    return CString();
}

int ApWirelessModeOfText(LPCSTR pszText)
{
    for (const auto& label : kModeLabels)
    {
        if (strcmp(label.pszText, pszText) == 0)
            return label.nMode;
    }
    return -1;
}
