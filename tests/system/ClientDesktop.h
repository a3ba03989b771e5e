#pragma once
// TessarynUI driven on the desktop of a temporary machine with the default adapter, through the
// built machine tool, as a person drives it: windows waited for, shown, clicked and typed into;
// the profile file, the notification-area icon and the WLAN link read back.

#include "machine/desktop/Tray.h"
#include "platform/Windows.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace testing_support
{

inline constexpr std::chrono::milliseconds kDesktopPatience{30000};
inline constexpr const char* kClientSheetCaption = "Tessaryn Wireless Utility";

inline bool Contains(const std::string& text, const std::string& what)
{
    return text.find(what) != std::string::npos;
}

class ClientDesktopTest : public ::testing::Test
{
protected:
    void SetUp() override { m_id = EnsureDefaultAdapter(m.machine()); }

    CommandRun vnmachine(const std::vector<std::string>& args)
    {
        return RunVnmachine(m.root(), args);
    }
    // The window's handle once it is there.
    std::string waitFor(const std::string& title)
    {
        auto r = vnmachine({"ui", "wait", title, "30"});
        EXPECT_EQ(r.status, 0) << r.out;
        return r.out.substr(0, r.out.find('\n'));
    }
    std::string show(const std::string& hwnd) { return vnmachine({"ui", "show", hwnd}).out; }
    void act(const std::vector<std::string>& args)
    {
        auto r = vnmachine(args);
        ASSERT_EQ(r.status, 0) << r.out;
    }
    bool windowOpen(const std::string& title)
    {
        return Contains(vnmachine({"ui", "list"}).out, "\"" + title + "\"");
    }

    // The row of the list with that first column, in the window as drawn.
    static int rowOf(const std::string& drawn, const std::string& listId, const std::string& first)
    {
        std::istringstream lines(drawn);
        bool inList = false;
        int row = -2; // the column titles come first
        for (std::string line; std::getline(lines, line);)
        {
            if (Contains(line, "listview " + listId + ":"))
            {
                inList = true;
                continue;
            }
            if (!inList)
                continue;
            if (line.find('|') == std::string::npos)
                return -1;
            row++;
            std::string cells = line.substr(line.find('|') + 1);
            std::string cell = cells.substr(0, cells.find('|'));
            cell.erase(0, cell.find_first_not_of(' '));
            cell.erase(cell.find_last_not_of(' ') + 1);
            if (row >= 0 && cell == first)
                return row;
        }
        return -1;
    }

    std::string profileValue(const std::string& section, const std::string& key)
    {
        std::string file = "C:\\Users\\Owner\\AppData\\Local\\KQ3400_" + m_id + "_prof";
        char value[512] = {};
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "<none>", value, sizeof value,
                                 file.c_str());
        return value;
    }
    std::optional<machine::desktop::TrayIcon> trayIcon() const
    {
        for (const auto& icon : machine::desktop::ListTrayIcons(m.machine()))
            if (icon.uid == 161)
                return icon;
        return std::nullopt;
    }
    void activate(const std::string& sheet, const std::string& profile)
    {
        act({"ui", "page", sheet, "Profile"});
        std::string drawn = show(sheet);
        int row = rowOf(drawn, "1059", profile);
        ASSERT_GE(row, 0) << drawn;
        act({"ui", "row", sheet, "1059", std::to_string(row)});
        act({"ui", "click", sheet, "1035"});
    }
    bool connectedTo(const std::string& ssid)
    {
        return Contains(vnmachine({"wlan", "status"}).out, "connection   \"" + ssid + "\"");
    }

    TempMachine m;
    std::string m_id;
};

} // namespace testing_support
