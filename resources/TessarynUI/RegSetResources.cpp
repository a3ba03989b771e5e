#include "resources/TessarynUI/RegSetResources.h"

#include "resources/TessarynUI/TessarynUIPages.h"
#include "resources/TessarynUI/resource.h"
#include "resources/common/DialogScript.h"

namespace
{

using platform::DialogTemplate;
using resources::Control;
using resources::Hidden;

const DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
const DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

// A register's row: its group, the address and value edits, Query and Set.
void addRegisterRow(DialogTemplate& t, const char* group, const char* addressLabel, int nAddress,
                    int nValue, int nQuery, int nSet, int y)
{
    t.controls.push_back(Control("Button", group, IDC_STATIC, BS_GROUPBOX, {6, y, 294, y + 36}));
    t.controls.push_back(
        Control("Static", addressLabel, IDC_STATIC, SS_LEFT, {12, y + 14, 40, y + 24}));
    t.controls.push_back(Control("Edit", "", nAddress, kEdit, {42, y + 12, 92, y + 24}));
    t.controls.push_back(
        Control("Static", "Value", IDC_STATIC, SS_LEFT, {98, y + 14, 120, y + 24}));
    t.controls.push_back(Control("Edit", "", nValue, kEdit, {122, y + 12, 172, y + 24}));
    t.controls.push_back(Control("Button", "Query", nQuery, kButton, {180, y + 11, 230, y + 25}));
    t.controls.push_back(Control("Button", "Set", nSet, kButton, {236, y + 11, 286, y + 25}));
}

DialogTemplate regSetPage()
{
    DialogTemplate t = EmptyPageTemplate("Setting Register");
    t.rect = {0, 0, 300, 236};
    addRegisterRow(t, "MAC Register", "Offset", IDC_REG_MAC_OFFSET, IDC_REG_MAC_VALUE,
                   IDC_REG_MAC_QUERY, IDC_REG_MAC_SET, 4);
    addRegisterRow(t, "EEPROM", "Offset", IDC_REG_EEPROM_OFFSET, IDC_REG_EEPROM_VALUE,
                   IDC_REG_EEPROM_QUERY, IDC_REG_EEPROM_SET, 42);
    addRegisterRow(t, "BBP Register", "ID", IDC_REG_BBP_ID, IDC_REG_BBP_VALUE, IDC_REG_BBP_QUERY,
                   IDC_REG_BBP_SET, 80);
    t.controls.push_back(Control("Button", "Enable BBP Tuning", IDC_REG_BBP_TUNING,
                                 BS_AUTOCHECKBOX | WS_TABSTOP, {12, 120, 100, 130}));
    t.controls.push_back(Control("Button", "BBP  Tuning  Set", IDC_REG_BBP_TUNING_SET, kButton,
                                 {180, 118, 286, 132}));

    t.controls.push_back(
        Control("Button", "RF Register", IDC_REG_RF_GROUP, BS_GROUPBOX, {6, 136, 294, 190}));
    const int anLabels[4] = {IDC_REG_RF_R1_LABEL, IDC_REG_RF_R2_LABEL, IDC_REG_RF_R3_LABEL,
                             IDC_REG_RF_R4_LABEL};
    const int anEdits[4] = {IDC_REG_RF_R1, IDC_REG_RF_R2, IDC_REG_RF_R3, IDC_REG_RF_R4};
    const char* const aszNames[4] = {"R1", "R2", "R3", "R4"};
    for (int i = 0; i < 4; i++)
    {
        int x = 12 + 70 * i;
        t.controls.push_back(
            Control("Static", aszNames[i], anLabels[i], SS_LEFT, {x, 150, x + 12, 160}));
        t.controls.push_back(Control("Edit", "", anEdits[i], kEdit, {x + 14, 148, x + 64, 160}));
    }
    t.controls.push_back(
        Control("Static", "(hex)", IDC_REG_RF_HEX_LABEL, SS_LEFT, {12, 172, 40, 182}));
    t.controls.push_back(Control("Button", "Enable RF Tuning", IDC_REG_RF_TUNING,
                                 BS_AUTOCHECKBOX | WS_TABSTOP, {44, 172, 130, 182}));
    t.controls.push_back(Control("Button", "Set", IDC_REG_RF_SET, kButton, {236, 170, 286, 184}));

    // The R17 tuning: nothing shows it.
    const platform::DialogControl r17[] = {
        Hidden("Button", "R17", IDC_STATIC, BS_GROUPBOX, {6, 194, 294, 232}),
        Hidden("Static", "Inc/Dec R17 by ", IDC_STATIC, SS_LEFT, {12, 206, 60, 216}),
        Hidden("Edit", "", IDC_REG_R17_STEP, kEdit, {62, 204, 80, 216}),
        Hidden("Static", ", if FALSE CCA >=", IDC_STATIC, SS_LEFT, {82, 206, 140, 216}),
        Hidden("Edit", "", IDC_REG_R17_LOWER, kEdit, {142, 204, 160, 216}),
        Hidden("Static", " / <=", IDC_STATIC, SS_LEFT, {162, 206, 178, 216}),
        Hidden("Edit", "", IDC_REG_R17_UPPER, kEdit, {180, 204, 198, 216}),
        Hidden("Static", "within 1 second. Max R17 value is 0x", IDC_STATIC, SS_LEFT,
               {12, 220, 140, 230}),
        Hidden("Edit", "", IDC_REG_R17_MAX, kEdit, {142, 218, 160, 230}),
        Hidden("Button", "Query", IDC_REG_R17_QUERY, kButton, {200, 204, 244, 218}),
        Hidden("Button", "Set", IDC_REG_R17_SET, kButton, {248, 204, 290, 218}),
    };
    t.controls.insert(t.controls.end(), std::begin(r17), std::end(r17));
    return t;
}

DialogTemplate runLoopDialog()
{
    DialogTemplate t;
    t.caption = "Dialog";
    t.rect = {0, 0, 220, 186};
    struct Row
    {
        const char* label;
        int nId;
        BOOL bUsable;
    } rows[] = {
        {"Number of Log Run Time", IDC_RUN_LOG_COUNT, FALSE},
        {"Number of Line Run Time", IDC_RUN_LINE_COUNT, FALSE},
        {"Run Period", IDC_RUN_PERIOD, FALSE},
        {"Active when TX > limit value ", IDC_RUN_TX_LIMIT, TRUE},
        {"Active when RX > limit value ", IDC_RUN_RX_LIMIT, TRUE},
        {"Active when TX + RX > limit value ", IDC_RUN_TXRX_LIMIT, TRUE},
        {"CPU Usage", IDC_RUN_CPU, FALSE},
    };
    int y = 8;
    for (const Row& row : rows)
    {
        t.controls.push_back(
            Control("Static", row.label, IDC_STATIC, SS_LEFT, {8, y + 2, 140, y + 12}));
        t.controls.push_back(Control("Edit", "", row.nId, kEdit | (row.bUsable ? 0 : WS_DISABLED),
                                     {144, y, 210, y + 12}));
        y += 18;
    }
    t.controls.push_back(Control("Button", "Use Line", IDC_RUN_USE_LINE,
                                 BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED, {8, y, 80, y + 10}));
    t.controls.push_back(Control("Button", "Use Log", IDC_RUN_USE_LOG,
                                 BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED, {90, y, 160, y + 10}));
    t.controls.push_back(
        Control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, {50, 164, 100, 178}));
    t.controls.push_back(Control("Button", "Cancel", IDCANCEL, kButton, {120, 164, 170, 178}));
    return t;
}

} // namespace

void RegisterRegSetTemplates()
{
    platform::RegisterDialogTemplate(IDD_REGSET_PAGE, regSetPage());
    platform::RegisterDialogTemplate(IDD_RUNLOOP_DLG, runLoopDialog());
}
