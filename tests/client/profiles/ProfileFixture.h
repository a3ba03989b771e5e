#pragma once
// A machine with the default adapter selected and the settings files in the program folder,
// for the profile store, the editor and the Profile page.

#include "adapter/driver/DriverRequest.h"
#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "platform/ui/msgbox/MessageBox.h"
#include "resources/TessarynUI/TessarynUIResources.h"
#include "tests/client/support/ClientState.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>

namespace testing_support
{

class ProfileFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterTessarynUIResources();
        id = testing_support::PrepareClientState(m.machine());
        ASSERT_FALSE(id.empty());
        g_bSheetClosing = FALSE;
        g_bAllowSecuredConnect = FALSE;
        platform::ClearMessageBoxLog();
    }
    void TearDown() override { testing_support::ReleaseClientState(); }

    std::filesystem::path fileOf(int nKind) const
    {
        return m.cDrive() / "Program Files" / "Tessaryn" /
               std::string(GetIniFileName(g_strNetCfgInstanceId, nKind));
    }
    std::string fileText(int nKind) const
    {
        std::ifstream in(fileOf(nKind), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    void writeFile(int nKind, const std::string& text) const
    {
        std::ofstream(fileOf(nKind), std::ios::binary) << text;
    }
    std::string value(LPCSTR pszSection, LPCSTR pszKey, int nKind = INI_KIND_PROFILE) const
    {
        char sz[4096] = {};
        GetIniValue(g_strNetCfgInstanceId, nKind, pszSection, pszKey, sz, sizeof sz);
        return sz;
    }
    std::string config(LPCSTR pszKey) const { return value("Config", pszKey, INI_KIND_STATION); }
    void writeSection(LPCSTR pszSection, const std::map<std::string, std::string>& keys) const
    {
        for (const auto& [key, text] : keys)
            SetIniValue(g_strNetCfgInstanceId, INI_KIND_PROFILE, pszSection, key.c_str(),
                        text.c_str());
    }
    // Texts of the message boxes shown since the last call.
    std::vector<std::string> takeMessages() const
    {
        std::vector<std::string> texts;
        for (const auto& box : platform::MessageBoxLog())
            texts.push_back(box.text);
        platform::ClearMessageBoxLog();
        return texts;
    }
    std::string driverValue(LPCSTR pszName) const
    {
        HKEY hKey = 0;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return "<no key>";
        char sz[512] = {};
        DWORD cb = sizeof sz - 1, type = 0;
        LONG r = RegQueryValueExA(hKey, pszName, NULL, &type, reinterpret_cast<BYTE*>(sz), &cb);
        RegCloseKey(hKey);
        return r == ERROR_SUCCESS ? std::string(sz, cb) : "<none>";
    }

    TempMachine m;
    std::string id;
};

} // namespace testing_support
