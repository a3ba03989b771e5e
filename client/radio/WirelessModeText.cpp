#include "client/radio/WirelessModeText.h"

#include "resources/TessarynUI/TessarynUIStrings.h"
#include "resources/TessarynUI/resource.h"

#include <cstring>

namespace
{

struct ModeText
{
    int nCode;
    UINT nText; // 0: the empty text
};

const ModeText kModes[] = {
    {0, IDS_MODE_BG}, {1, IDS_MODE_B},    {2, IDS_MODE_A}, {3, IDS_MODE_ABG},
    {4, IDS_MODE_G},  {5, IDS_MODE_ABGN}, {6, 0},          {9, IDS_MODE_BGN},
};

CString TextOf(const ModeText& mode)
{
    return mode.nText != 0 ? LoadText(mode.nText) : CString();
}

} // namespace

int WirelessModeFromText(LPCSTR pszText)
{
    CString strText = pszText != NULL ? pszText : "";
    for (const ModeText& mode : kModes)
    {
        if (TextOf(mode) == strText)
            return mode.nCode;
    }
    return 0;
}

CString WirelessModeToText(int nCode)
{
    for (const ModeText& mode : kModes)
    {
        if (mode.nCode == nCode)
            return TextOf(mode);
    }
    return LoadText(IDS_MODE_BG);
}
