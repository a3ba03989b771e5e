#include "resources/TessarynAp/TessarynApStrings.h"

#include "resources/TessarynAp/AboutResources.h"
#include "resources/TessarynAp/AccessControlResources.h"
#include "resources/TessarynAp/BlockAckResources.h"
#include "resources/TessarynAp/ConfigResources.h"
#include "resources/TessarynAp/LinkStatusResources.h"
#include "resources/TessarynAp/SecurityResources.h"
#include "resources/TessarynAp/StationPagesResources.h"
#include "resources/TessarynAp/StatisticResources.h"
#include "resources/TessarynAp/WdsResources.h"
#include "resources/TessarynAp/resource.h"

namespace
{

// The program's own texts (sheet, page captions, tray tips) and those several pages share.
void AddProgramStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_SHEET_CAPTION, "Tessaryn Wireless Utility"},
        {IDS_NOT_READY, "Card or driver not ready"},
        {IDS_PAGE_ACCESS_CONTROL, "Access Control"},
        {IDS_PAGE_WDS, "WDS"},
        {IDS_PAGE_STATISTICS, "Statistics"},
        {IDS_PAGE_ABOUT, "About"},
        {IDS_PAGE_MAC_TABLE, "Mac Table"},
        {IDS_PAGE_EVENT_LOG, "Event Log"},
        {IDS_PAGE_11N, "11n Setting"},
        {IDS_PAGE_LINK_STATUS, "Link Status"},
        {IDS_TIP_DISCONNECTED, "Tessaryn Wireless LAN Card\nDisconnected"},
        {IDS_TIP_GOOD, "Tessaryn Wireless LAN Card\nStatus : Good"},
        {IDS_TIP_WEAK, "Tessaryn Wireless LAN Card\nStatus : Weak"},
        {IDS_TIP_NORMAL, "Tessaryn Wireless LAN Card\nStatus : Normal"},
        {IDS_TIP_NOT_EXIST, "Tessaryn Wireless LAN Card\nNot Exist"},
        {IDS_OK, "OK"},
        {IDS_CANCEL, "Cancel"},
        {IDS_MAC_ADDRESS, "MAC Address"},
    });
}

} // namespace

const std::map<UINT, std::string>& TessarynApStringTable()
{
    static const std::map<UINT, std::string> strings = []
    {
        std::map<UINT, std::string> table;
        AddProgramStrings(table);
        AddConfigStrings(table);
        AddSecurityStrings(table);
        AddAccessControlStrings(table);
        AddStationPagesStrings(table);
        AddStatisticStrings(table);
        AddAboutStrings(table);
        AddBlockAckStrings(table);
        AddWdsStrings(table);
        AddLinkStatusStrings(table);
        return table;
    }();
    return strings;
}
