#include "adapter/radio/JapaneseChannels.h"

#include <cstdlib>
#include <cstring>

namespace
{

struct JapaneseChannel
{
    const char* pszText;
    const char* pszStored;
};
const JapaneseChannel kJapaneseChannels[] = {{"J8", "208"}, {"J12", "212"}, {"J16", "216"}};

} // namespace

CString StoredChannelFromText(LPCSTR pszChannel)
{
    for (const JapaneseChannel& ch : kJapaneseChannels)
        if (strcmp(pszChannel, ch.pszText) == 0)
            return ch.pszStored;
    return pszChannel;
}

CString ChannelTextFromStored(LPCSTR pszStored)
{
    if (pszStored == NULL || *pszStored == '\0')
        return CString();
    int nChannel = atoi(pszStored);
    CString strText;
    strText.Format("%d", nChannel);
    for (const JapaneseChannel& ch : kJapaneseChannels)
        if (strText == ch.pszStored)
            return ch.pszText;
    return strText;
}
