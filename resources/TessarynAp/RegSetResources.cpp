#include "resources/TessarynAp/RegSetResources.h"

#include "resources/TessarynAp/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;
using resources::Hidden;

constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

// A row: its title, the offset or id edit, the value edit, Query and Set.
void addRegisterRow(DialogTemplate& t, const char* title, int nOffset, int nValue, int nQuery,
                    int nSet, int y)
{
    auto& c = t.controls;
    c.push_back(Control("Static", title, IDC_STATIC, SS_LEFT, {7, y + 2, 50, y + 12}));
    c.push_back(Control("Edit", "", nOffset, kEdit, {54, y, 110, y + 12}));
    c.push_back(Control("Edit", "", nValue, kEdit, {114, y, 170, y + 12}));
    if (nQuery != 0)
        c.push_back(Control("Button", "Query", nQuery, kPush, {176, y, 220, y + 12}));
    c.push_back(Control("Button", "Set", nSet, kPush, {224, y, 268, y + 12}));
}

DialogTemplate regSetPage()
{
    DialogTemplate t = resources::EmptyPageTemplate("Setting Register");
    addRegisterRow(t, "MAC", IDC_REG_MAC_OFFSET, IDC_REG_MAC_VALUE, IDC_REG_MAC_QUERY,
                   IDC_REG_MAC_SET, 8);
    addRegisterRow(t, "BBP", IDC_REG_BBP_ID, IDC_REG_BBP_VALUE, IDC_REG_BBP_QUERY, IDC_REG_BBP_SET,
                   26);
    addRegisterRow(t, "EEPROM", IDC_REG_EEPROM_OFFSET, IDC_REG_EEPROM_VALUE, IDC_REG_EEPROM_QUERY,
                   IDC_REG_EEPROM_SET, 44);
    auto& c = t.controls;
    c.push_back(Control("Static", "RF", IDC_STATIC, SS_LEFT, {7, 64, 50, 74}));
    c.push_back(Control("Edit", "", IDC_REG_RF_VALUE, kEdit, {114, 62, 170, 74}));
    c.push_back(Hidden("Button", "Set", IDC_REG_RF_SET, kPush, {224, 62, 268, 74}));
    // The R17 row's texts read as one sentence around its four fields.
    c.push_back(Control("Static", "Inc/Dec R17 by ", IDC_STATIC, SS_LEFT, {7, 84, 60, 94}));
    c.push_back(Control("Edit", "", IDC_REG_R17_STEP, kEdit, {60, 82, 80, 94}));
    c.push_back(Control("Static", ", if FALSE CCA >=", IDC_STATIC, SS_LEFT, {82, 84, 140, 94}));
    c.push_back(Control("Edit", "", IDC_REG_R17_UPPER, kEdit, {140, 82, 160, 94}));
    c.push_back(Control("Static", " / <=", IDC_STATIC, SS_LEFT, {162, 84, 180, 94}));
    c.push_back(Control("Edit", "", IDC_REG_R17_LOWER, kEdit, {180, 82, 200, 94}));
    c.push_back(Control("Static", "within 1 second. Max R17 value is 0x", IDC_STATIC, SS_LEFT,
                        {7, 100, 140, 110}));
    c.push_back(Control("Edit", "", IDC_REG_R17_MAX, kEdit, {140, 98, 160, 110}));
    c.push_back(Control("Button", "Query", IDC_REG_R17_QUERY, kPush, {176, 98, 220, 110}));
    c.push_back(Control("Button", "Set", IDC_REG_R17_SET, kPush, {224, 98, 268, 110}));
    c.push_back(Control("Edit", "", IDC_REG_MIC_SECONDS, kEdit, {7, 120, 40, 132}));
    c.push_back(
        Control("Button", "Generate Error Mic", IDC_REG_ERROR_MIC, kPush, {44, 120, 130, 132}));
    return t;
}

} // namespace

void RegisterRegSetTemplates()
{
    platform::RegisterDialogTemplate(IDD_REGSET_PAGE, regSetPage());
}
