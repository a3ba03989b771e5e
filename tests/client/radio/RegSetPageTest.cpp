// The Setting Register page over the simulated driver's register spaces: the request of each
// kind with its exact bytes and the texts the answers show, the RF and tuning requests, the R17
// record, data validation before any request, and the RF group of PCI adapters; the run-period
// dialog and the performance-counter switch.

#include "client/radio/RegSetPage.h"

#include "client/radio/RunLoopDlg.h"
#include "machine/registry/RegistryFaults.h"
#include "tests/client/radio/RadioPageFixture.h"

namespace
{

using namespace radio_test;
using namespace std::string_literals;

constexpr std::uint32_t kRegisterQuery = 0xFF0C0008, kRegisterSet = 0xFF8C0008,
                        kR17Query = 0x0D710109, kR17Set = 0x0DF10109, kRfSet = 0x0DF10120,
                        kBbpTuningSet = 0x0DF10121;

std::string request(std::uint32_t kind, std::uint32_t address, std::uint32_t value)
{
    return le32(kind) + le32(address) + le32(value);
}

class RegSetPageTest : public RadioPageTest
{
protected:
    void setRegister(std::uint32_t space, std::uint32_t address, std::uint32_t value)
    {
        changeDriver(
            [&](machine::miniport::AdapterState& s) {
                s.registers[{space, address}] = value;
            });
    }
};

TEST_F(RegSetPageTest, EachKindIsReadAndWrittenWithItsRequestAndShownInItsFormat)
{
    setRegister(machine::miniport::kMacRegisters, 0x1000, 0x1234);
    setRegister(machine::miniport::kEeprom, 0x36, 0xABCDEF01);
    setRegister(machine::miniport::kBbpRegisters, 17, 0x1A2B);
    Open<CRegSetPage>();
    struct Case
    {
        int nAddress, nValue, nQuery, nSet;
        const char* address;
        std::uint32_t kind, addressValue;
        const char* shown;     // after the query
        const char* typed;     // then written
        std::uint32_t written; // as the set carries it
    } cases[] = {
        {IDC_REG_MAC_OFFSET, IDC_REG_MAC_VALUE, IDC_REG_MAC_QUERY, IDC_REG_MAC_SET, "1000", 0,
         0x1000, "00001234", "1234", 0x1234},
        {IDC_REG_EEPROM_OFFSET, IDC_REG_EEPROM_VALUE, IDC_REG_EEPROM_QUERY, IDC_REG_EEPROM_SET,
         "36", 3, 0x36, "ABCDEF01", "ffff", 0xFFFF},
        // The BBP id is decimal, its value two hex digits of the low byte.
        {IDC_REG_BBP_ID, IDC_REG_BBP_VALUE, IDC_REG_BBP_QUERY, IDC_REG_BBP_SET, "17", 1, 17, "2B",
         "7f", 0x7F},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.address);
        Type(c.nAddress, c.address);
        clearRequests();
        Click(c.nQuery);
        EXPECT_EQ(sent(kRegisterQuery),
                  std::vector<std::string>{request(c.kind, c.addressValue, 0)});
        EXPECT_EQ(TextOf(c.nValue), c.shown);
        Type(c.nValue, c.typed);
        clearRequests();
        Click(c.nSet);
        EXPECT_EQ(sent(kRegisterSet),
                  std::vector<std::string>{request(c.kind, c.addressValue, c.written)});
    }
    // The driver kept what was written.
    Type(IDC_REG_MAC_VALUE, "0");
    Click(IDC_REG_MAC_QUERY);
    EXPECT_EQ(TextOf(IDC_REG_MAC_VALUE), "00001234");

    // A query that fails shows 0.
    failNext(kRegisterQuery, 1, machine::miniport::Direction::Query);
    Click(IDC_REG_EEPROM_QUERY);
    EXPECT_EQ(TextOf(IDC_REG_EEPROM_VALUE), "00000000");
    EXPECT_NE(Form().find("00000000"), std::string::npos) << Form();
}

TEST_F(RegSetPageTest, OutOfRangeOrOverlongFieldsAreRefusedBeforeAnyRequest)
{
    Open<CRegSetPage>();
    struct Case
    {
        int nId;
        const char* text;
        int nButton;
    } cases[] = {
        {IDC_REG_BBP_ID, "300", IDC_REG_BBP_QUERY},
        {IDC_REG_MAC_VALUE, "123456789", IDC_REG_MAC_SET},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        Type(c.nId, c.text);
        clearRequests();
        AnswerBoxes(1);
        Click(c.nButton);
        EXPECT_EQ(Boxes().size(), 1u);
        EXPECT_TRUE(codes().empty());
        Type(c.nId, "0");
    }
}

TEST_F(RegSetPageTest, TheRfAndTuningRequestsCarryTheirFields)
{
    Open<CRegSetPage>();
    Type(IDC_REG_RF_R1, "11");
    Type(IDC_REG_RF_R2, "2222");
    Type(IDC_REG_RF_R3, "zz"); // no number: 0
    Type(IDC_REG_RF_R4, "ABCDEF12");
    Click(IDC_REG_RF_TUNING); // off
    clearRequests();
    Click(IDC_REG_RF_SET);
    EXPECT_EQ(sent(kRfSet), std::vector<std::string>{le32(0x11) + le32(0x2222) + le32(0) +
                                                     le32(0xABCDEF12) + le32(0)});
    changeDriver([](machine::miniport::AdapterState& s)
                 { EXPECT_EQ(s.reg(machine::miniport::kRfRegisters, 4), 0xABCDEF12u); });

    Click(IDC_REG_BBP_TUNING_SET);
    Click(IDC_REG_BBP_TUNING);
    Click(IDC_REG_BBP_TUNING_SET);
    EXPECT_EQ(sent(kBbpTuningSet), (std::vector<std::string>{le32(1), le32(0)}));
}

TEST_F(RegSetPageTest, TheR17RecordIsReadAndWrittenByItsHiddenButtons)
{
    changeDriver([](machine::miniport::AdapterState& s)
                 { s.setBytes(kR17Query, "\x10\x40\x02\x3C"s); });
    CRegSetPage& page = Open<CRegSetPage>();
    EXPECT_FALSE(Visible(IDC_REG_R17_QUERY));
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_REG_R17_QUERY, BN_CLICKED), 0);
    EXPECT_EQ(TextOf(IDC_REG_R17_LOWER), "16");
    EXPECT_EQ(TextOf(IDC_REG_R17_UPPER), "64");
    EXPECT_EQ(TextOf(IDC_REG_R17_STEP), "2");
    EXPECT_EQ(TextOf(IDC_REG_R17_MAX), "3c");
    SetDlgItemTextA(Page(), IDC_REG_R17_MAX, "4F");
    SetDlgItemTextA(Page(), IDC_REG_R17_STEP, "5");
    clearRequests();
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_REG_R17_SET, BN_CLICKED), 0);
    EXPECT_EQ(sent(kR17Set), std::vector<std::string>{"\x10\x40\x05\x4F"s});
}

TEST_F(RegSetPageTest, OnlyUsbAdaptersOfferTheRfGroup)
{
    const int rf[] = {IDC_REG_RF_GROUP,  IDC_REG_RF_R1_LABEL, IDC_REG_RF_HEX_LABEL,
                      IDC_REG_RF_TUNING, IDC_REG_RF_SET,      IDC_REG_RF_R1,
                      IDC_REG_RF_R2,     IDC_REG_RF_R3,       IDC_REG_RF_R4};
    for (BOOL bUsb : {TRUE, FALSE})
    {
        g_bUsbAdapter = bUsb;
        CPropertySheet sheet("Registers");
        CRegSetPage page;
        sheet.AddPage(&page);
        ASSERT_TRUE(sheet.Create());
        platform::PumpUntilIdle();
        for (int nId : rf)
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(page.m_hWnd, nId)) != FALSE, bUsb != FALSE) << nId;
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page.m_hWnd, IDC_REG_MAC_VALUE)));
        sheet.DestroyWindow();
    }
}

TEST_F(RegSetPageTest, TheRunPeriodDialogOffersOnlyItsLimits)
{
    CRunLoopDlg dlg(NULL);
    bool ran = false;
    platform::SetIdleHook(
        [&]
        {
            HWND hDlg = FindWindowA(NULL, "Dialog");
            if (ran || hDlg == 0 || !IsWindowVisible(hDlg))
                return;
            ran = true;
            for (int nId : {IDC_RUN_PERIOD, IDC_RUN_LOG_COUNT, IDC_RUN_LINE_COUNT, IDC_RUN_CPU,
                            IDC_RUN_USE_LINE, IDC_RUN_USE_LOG})
                EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDlg, nId))) << nId;
            ASSERT_TRUE(
                platform::automation::SetText(hDlg, std::to_string(IDC_RUN_TX_LIMIT), "-5"));
            ASSERT_TRUE(
                platform::automation::SetText(hDlg, std::to_string(IDC_RUN_RX_LIMIT), "70"));
            ASSERT_TRUE(platform::automation::Click(hDlg, "OK"));
        });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    platform::SetIdleHook(nullptr);
    ASSERT_TRUE(ran);
    EXPECT_EQ(dlg.m_nTxLimit, -5);
    EXPECT_EQ(dlg.m_nRxLimit, 70);
    EXPECT_EQ(dlg.m_nTxRxLimit, 0);
    EXPECT_EQ(dlg.m_nRunPeriod, 0u);
}

TEST_F(RegSetPageTest, ThePerformanceCounterSwitchReportsWhatItWrote)
{
    const char kPerf[] = "SYSTEM\\CurrentControlSet\\Services\\PerfOS\\Performance";
    // No key: nothing is created.
    EXPECT_EQ(SetPerfCountersDisabled(0), 0);
    HKEY hKey = 0;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPerf, 0, KEY_READ, &hKey), ERROR_SUCCESS);

    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPerf, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL),
        ERROR_SUCCESS);
    RegCloseKey(hKey);
    EXPECT_EQ(SetPerfCountersDisabled(0), 1);
    EXPECT_EQ(Stored(kPerf, "Disable Performance Counters"), Dword(1));
    EXPECT_EQ(SetPerfCountersDisabled(1), 1);
    EXPECT_EQ(Stored(kPerf, "Disable Performance Counters"), Dword(0));

    // A write that fails is no success.
    machine::registry::InjectFault(machine(), machine::registry::Operation::Set,
                                   *machine::registry::ParseKeyPath(std::string("HKLM\\") + kPerf),
                                   ERROR_ACCESS_DENIED, 1);
    EXPECT_EQ(SetPerfCountersDisabled(0), 0);
    EXPECT_EQ(Stored(kPerf, "Disable Performance Counters"), Dword(0));
}

} // namespace
