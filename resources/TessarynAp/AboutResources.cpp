#include "resources/TessarynAp/AboutResources.h"

#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;

// One row: its label on the left (its text from the string table at start), its value beside it.
void addRow(DialogTemplate& t, int nLabelId, int nValueId, int y)
{
    t.controls.push_back(Control("Static", "", nLabelId, SS_LEFT, {20, y, 110, y + 10}));
    t.controls.push_back(Control("Static", "", nValueId, SS_LEFT, {114, y, 266, y + 10}));
}

DialogTemplate aboutPage()
{
    DialogTemplate t = resources::EmptyPageTemplate("About");
    t.controls.push_back(Control("Button", "http://www.tessaryn.example/", IDC_ABOUT_WEB_LINK,
                                 BS_PUSHBUTTON | WS_TABSTOP, {60, 8, 220, 24}));
    t.controls.push_back(
        Control("Static", "", IDC_ABOUT_LEGAL, SS_CENTER | SS_NOPREFIX, {10, 30, 270, 40}));
    addRow(t, IDC_ABOUT_UTILITY_VERSION_LABEL, IDC_ABOUT_UTILITY_VERSION, 48);
    addRow(t, IDC_ABOUT_UTILITY_DATE_LABEL, IDC_ABOUT_UTILITY_DATE, 60);
    addRow(t, IDC_ABOUT_DRIVER_VERSION_LABEL, IDC_ABOUT_DRIVER_VERSION, 76);
    addRow(t, IDC_ABOUT_DRIVER_DATE_LABEL, IDC_ABOUT_DRIVER_DATE, 88);
    addRow(t, IDC_ABOUT_EEPROM_LABEL, IDC_ABOUT_EEPROM_VERSION, 104);
    addRow(t, IDC_ABOUT_FIRMWARE_LABEL, IDC_ABOUT_FIRMWARE_VERSION, 116);
    addRow(t, IDC_ABOUT_MAC_LABEL, IDC_ABOUT_MAC, 132);
    addRow(t, IDC_ABOUT_IP_LABEL, IDC_ABOUT_IP, 148);
    addRow(t, IDC_ABOUT_MASK_LABEL, IDC_ABOUT_MASK, 160);
    addRow(t, IDC_ABOUT_GATEWAY_LABEL, IDC_ABOUT_GATEWAY, 172);
    // The firmware row is created hidden: only a chip that reports its firmware shows it.
    for (auto& c : t.controls)
        if (c.id == IDC_ABOUT_FIRMWARE_LABEL || c.id == IDC_ABOUT_FIRMWARE_VERSION)
            c.style &= ~WS_VISIBLE;
    return t;
}

} // namespace

void RegisterAboutTemplates()
{
    platform::RegisterDialogTemplate(IDD_ABOUT_PAGE, aboutPage());
}

void AddAboutStrings(std::map<UINT, std::string>& strings)
{
    strings.insert({
        {IDS_ABOUT_DRIVER_VERSION, "Driver Version :"},
        {IDS_ABOUT_DATE, "Date :"},
        {IDS_ABOUT_MAC, "Phy_Address :"},
        {IDS_ABOUT_UTILITY_VERSION, "Utility Version :"},
        {IDS_ABOUT_EEPROM, "EEPROM Version :"},
        {IDS_ABOUT_FIRMWARE, "Firmware Version :"},
        {IDS_ABOUT_IP, "IP Address :"},
        {IDS_ABOUT_MASK, "Sub Mask :"},
        {IDS_ABOUT_GATEWAY, "Default Gateway :"},
    });
}
