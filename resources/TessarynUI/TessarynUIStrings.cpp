#include "resources/TessarynUI/TessarynUIStrings.h"

#include "resources/TessarynUI/AboutResources.h"
#include "resources/TessarynUI/AdvanceResources.h"
#include "resources/TessarynUI/BlockAckResources.h"
#include "resources/TessarynUI/Dot1xResources.h"
#include "resources/TessarynUI/LinkStatusResources.h"
#include "resources/TessarynUI/ProfilePagesResources.h"
#include "resources/TessarynUI/ProfileResources.h"
#include "resources/TessarynUI/QosResources.h"
#include "resources/TessarynUI/RadioResources.h"
#include "resources/TessarynUI/SiteSurveyResources.h"
#include "resources/TessarynUI/StatisticResources.h"
#include "resources/TessarynUI/resource.h"

void AddProgramStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_SHEET_CAPTION, "Tessaryn Wireless Utility"},
        {IDS_NOT_READY, "NIC or driver not ready"},
        {IDS_PAGE_PROFILE, "Profile"},
        {IDS_PAGE_LINK_STATUS, "Link Status"},
        {IDS_PAGE_SITE_SURVEY, "Site Survey"},
        {IDS_PAGE_STATISTICS, "Statistics"},
        {IDS_PAGE_ABOUT, "About"},
        {IDS_PAGE_ADVANCED, "Advanced"},
        {IDS_PAGE_11N, "11n Configuration"},
        {IDS_TIP_GOOD, "Tessaryn Wireless LAN Card\nStatus : Good (%s)"},
        {IDS_TIP_DISCONNECTED, "Tessaryn Wireless LAN Card\nDisconnected"},
        {IDS_TIP_NORMAL, "Tessaryn Wireless LAN Card\nstatus : Normal (%s)"},
        {IDS_TIP_NOT_EXIST, "Tessaryn Wireless LAN Card\nNot exist"},
        {IDS_TIP_WEAK, "Tessaryn Wireless LAN Card\nStatus : Weak (%s)"},
        {IDS_TIP_WEP_ERROR, "Tessaryn Wireless LAN Card\nStatus : WEP Error"},
        // Texts several pages show.
        {IDS_DISCONNECTED, "Disconnected"},
        {IDS_RF_OFF, "RF OFF"},
        {IDS_NO_SELECTED_ITEM, "No selected item"},
        {IDS_NET_ADHOC, "Ad hoc"},
        {IDS_NET_INFRASTRUCTURE, "Infrastructure"},
        {IDS_NET_AUTO, "Auto"},
        {IDS_ENC_NONE, "None"},
        {IDS_ENC_WEP, "WEP"},
        {IDS_ICV_ERROR, "ICV Error"},
    });
}

const std::map<UINT, std::string>& TessarynUIStringTable()
{
    static const std::map<UINT, std::string> strings = []
    {
        std::map<UINT, std::string> table;
        AddProgramStrings(table);
        AddSiteSurveyStrings(table);
        AddProfileStrings(table);
        AddProfilePagesStrings(table);
        AddDot1xStrings(table);
        AddLinkStatusStrings(table);
        AddStatisticStrings(table);
        AddAboutStrings(table);
        AddRadioStrings(table);
        AddAdvanceStrings(table);
        AddQosStrings(table);
        AddBlockAckStrings(table);
        return table;
    }();
    return strings;
}
