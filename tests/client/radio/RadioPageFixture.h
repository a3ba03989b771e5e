#pragma once
// One radio page, created by its class, in a sheet of its own beside an empty page, over the
// simulated driver of the test machine's adapter on the manual clock. The program-wide state is
// an 802.11n USB adapter with both bands after card initialisation (tests change it before
// opening the page); no monitor window. Helpers read what the page left in the driver log,
// "Config" and the driver key, and act on its controls as a person would.

#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ClientGlobals.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/RequestLog.h"
#include "platform/Windows.h"
#include "platform/ui/automation/Actions.h"
#include "platform/ui/automation/FormText.h"
#include "platform/ui/msgbox/MessageBox.h"
#include "resources/TessarynUI/TessarynUIResources.h"
#include "resources/TessarynUI/resource.h"
#include "tests/client/support/ClientState.h"
#include "tests/support/HexBytes.h"
#include "tests/support/TempMachine.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace radio_test
{

using machine::miniport::LogEntry;
using testing_support::HexBytes;
using testing_support::le32;

// A registry value as it is stored.
struct StoredValue
{
    DWORD type = 0;
    std::string bytes;
    bool operator==(const StoredValue&) const = default;
};

inline StoredValue Text(const std::string& text)
{
    return {REG_SZ, text};
}
inline StoredValue Dword(DWORD value)
{
    return {REG_DWORD, le32(value)};
}

inline std::ostream& operator<<(std::ostream& out, const StoredValue& v)
{
    out << "type " << v.type << " [";
    for (unsigned char c : v.bytes)
        out << ' ' << std::hex << unsigned(c) << std::dec;
    return out << " ]";
}

class RadioPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterTessarynUIResources();
        m_id = testing_support::PrepareClientState(machine());
        ASSERT_FALSE(m_id.empty());
        g_bHtSupported = TRUE;
        g_nHtVariant = 3;
        g_bUsbAdapter = TRUE;
        g_bABandSupported = TRUE;
        g_bRegionValid = TRUE;
        g_bABandRegionValid = TRUE;
        g_nCountryRegion = 0;
        G_enumWirelessMode = 0;
        g_bRadioOn = TRUE;
        g_bIsAdmin = TRUE;
        g_bEepromBit8Clear = TRUE;
        g_bEepromBit9Clear = TRUE;
        g_bWow64 = FALSE;
        g_nHtTransmitSetting = 0;
        platform::ClearMessageBoxLog();
        clearRequests();
    }

    void TearDown() override
    {
        platform::SetIdleHook(nullptr);
        if (m_sheet.m_hWnd != 0)
            m_sheet.DestroyWindow();
        platform::PumpUntilIdle();
        m_page.reset();
        testing_support::ReleaseClientState();
    }

    machine::Machine& machine() const { return m_machine.machine(); }

    // Creates the page by its class and shows it; its first activation has run.
    template <class Page> Page& Open()
    {
        CObject* pMade = Page::CreateObject(); // the run-time class factory
        m_page.reset(static_cast<CPropertyPage*>(pMade));
        m_sheet.AddPage(m_page.get());
        m_sheet.AddPage(&m_other);
        EXPECT_TRUE(m_sheet.Create());
        platform::PumpUntilIdle();
        return *static_cast<Page*>(m_page.get());
    }
    void Leave() { ASSERT_TRUE(m_sheet.SetActivePage(&m_other)); }
    void Return() { ASSERT_TRUE(m_sheet.SetActivePage(m_page.get())); }
    HWND Page() const { return m_page->m_hWnd; }

    // The page as the machine tool shows it.
    std::string Form() const { return platform::automation::RenderWindow(Page()); }

    void Click(int nId)
    {
        const auto result = platform::automation::Click(Page(), std::to_string(nId));
        ASSERT_TRUE(result) << result.message;
    }
    void Type(int nId, const std::string& text)
    {
        ASSERT_TRUE(platform::automation::SetText(Page(), std::to_string(nId), text));
    }
    void Select(int nId, const std::string& entry)
    {
        const auto result = platform::automation::SelectEntry(Page(), std::to_string(nId), entry);
        ASSERT_TRUE(result) << result.message;
    }
    std::string TextOf(int nId) const
    {
        char text[512] = {0};
        GetDlgItemTextA(Page(), nId, text, sizeof text);
        return text;
    }
    bool Checked(int nId) const { return IsDlgButtonChecked(Page(), nId) == BST_CHECKED; }
    bool Enabled(int nId) const { return IsWindowEnabled(GetDlgItem(Page(), nId)) != FALSE; }
    bool Visible(int nId) const
    {
        return (GetWindowLongA(GetDlgItem(Page(), nId), GWL_STYLE) & WS_VISIBLE) != 0;
    }

    // Clicks the control; once the modal dialog of that caption is up, the script runs (and must
    // end it).
    void ClickIntoDialog(int nId, const char* caption, const std::function<void(HWND)>& script)
    {
        bool ran = false;
        platform::SetIdleHook(
            [&]
            {
                HWND hDlg = FindWindowA(NULL, caption);
                if (ran || hDlg == 0 || !IsWindowVisible(hDlg))
                    return;
                ran = true;
                script(hDlg);
            });
        Click(nId);
        platform::SetIdleHook(nullptr);
        EXPECT_TRUE(ran) << caption;
    }

    // The texts of the message boxes shown since the last call, each answered with OK.
    std::vector<std::string> Boxes()
    {
        std::vector<std::string> texts;
        for (const auto& box : platform::MessageBoxLog())
            texts.push_back(box.text);
        platform::ClearMessageBoxLog();
        return texts;
    }
    static void AnswerBoxes(int nCount)
    {
        platform::ScriptMessageBoxAnswers(std::vector<int>(nCount, IDOK));
    }

    std::vector<LogEntry> requests() const
    {
        return machine::miniport::ReadRequestLog(machine(), m_id);
    }
    void clearRequests() const { machine::miniport::ClearRequestLog(machine(), m_id); }
    // The wire codes in order.
    std::vector<std::uint32_t> codes() const
    {
        std::vector<std::uint32_t> out;
        for (const LogEntry& e : requests())
            out.push_back(e.code);
        return out;
    }
    // The data of every request of that wire code, in order.
    std::vector<std::string> sent(std::uint32_t code) const
    {
        std::vector<std::string> out;
        for (const LogEntry& e : requests())
            if (e.code == code)
                out.push_back(e.bytesIn);
        return out;
    }
    void failNext(std::uint32_t code, int times = 1,
                  machine::miniport::Direction direction = machine::miniport::Direction::Both)
    {
        machine::miniport::InjectRequestFault(machine(), m_id, code, times, direction);
    }
    void changeDriver(const std::function<void(machine::miniport::AdapterState&)>& change)
    {
        machine::miniport::ChangeAdapterState(machine(), m_id, change);
    }

    static std::string Config(const char* key)
    {
        char value[256] = {0};
        GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", key, value, sizeof value);
        return value;
    }
    static void SetConfig(const char* key, const std::string& value)
    {
        SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", key, value.c_str());
    }
    // A value under HKLM\subKey; nullopt when it is not there.
    static std::optional<StoredValue> Stored(const char* subKey, const char* name)
    {
        HKEY hKey = 0;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return std::nullopt;
        StoredValue v;
        BYTE data[512] = {};
        DWORD cb = sizeof data;
        LONG rc = RegQueryValueExA(hKey, name, NULL, &v.type, data, &cb);
        RegCloseKey(hKey);
        if (rc != ERROR_SUCCESS)
            return std::nullopt;
        v.bytes.assign(reinterpret_cast<const char*>(data), cb);
        return v;
    }
    static std::optional<StoredValue> Driver(const char* name)
    {
        return Stored(g_strDriverKey, name);
    }

    testing_support::TempMachine m_machine;
    std::string m_id;
    std::unique_ptr<CPropertyPage> m_page;
    CPropertyPage m_other{IDD_PROFILE_PAGE};
    CPropertySheet m_sheet{"Radio"};
};

} // namespace radio_test
