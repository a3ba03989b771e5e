#pragma once
// Shared set-up of the profile editor page tests: a temporary machine on the manual clock, the
// program's resources, program-wide values as a test sets them (restored afterwards), and a
// modeless sheet that shows the pages under test.

#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "client/access/ScanList.h"
#include "client/monitor/ClientGlobals.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/TessarynUIResources.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace profilepages
{

class PageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        RegisterTessarynUIResources();
        // No adapter path: driver queries fail, so pages keep the values a test gives them.
        g_strDevicePath = "";
        g_nChipType = 8;
        g_nCountryRegion = 0;
        G_enumWirelessMode = 0;
        OsVersionCode = 11;
        g_nWpaSupport = 6;
        g_bAllowSecuredConnect = TRUE;
    }
    void TearDown() override
    {
        if (m_sheet.m_hWnd != 0)
            m_sheet.DestroyWindow();
        g_strDevicePath = m_savedDevicePath;
        g_nChipType = m_savedChipType;
        g_nCountryRegion = m_savedRegion;
        G_enumWirelessMode = m_savedMode;
        OsVersionCode = m_savedOs;
        g_nWpaSupport = m_savedWpa;
        g_bAllowSecuredConnect = m_savedAllow;
        g_pBssidListCopy = m_savedList;
    }

    // Shows the pages in a sheet; the first one is active.
    void Show(const std::vector<CPropertyPage*>& pages)
    {
        for (CPropertyPage* p : pages)
            m_sheet.AddPage(p);
        ASSERT_TRUE(m_sheet.Create());
        platform::PumpUntilIdle();
    }
    void Activate(int nPage)
    {
        ASSERT_TRUE(m_sheet.SetActivePage(nPage));
        platform::PumpUntilIdle();
    }

    static std::vector<std::string> Entries(const CComboBox& combo)
    {
        std::vector<std::string> entries;
        for (int i = 0; i < combo.GetCount(); i++)
        {
            CString s;
            combo.GetLBText(i, s);
            entries.push_back(std::string(s));
        }
        return entries;
    }
    static std::string Selected(const CComboBox& combo)
    {
        int nSel = combo.GetCurSel();
        if (nSel == CB_ERR)
            return "<none>";
        CString s;
        combo.GetLBText(nSel, s);
        return std::string(s);
    }
    bool Enabled(CWnd& page, int nID) const { return page.GetDlgItem(nID)->IsWindowEnabled(); }
    bool Visible(CWnd& page, int nID) const
    {
        return (page.GetDlgItem(nID)->GetStyle() & WS_VISIBLE) != 0;
    }

    testing_support::TempMachine m_machine;
    CPropertySheet m_sheet{"Profile pages"};

private:
    CString m_savedDevicePath = g_strDevicePath;
    int m_savedChipType = g_nChipType;
    int m_savedRegion = g_nCountryRegion;
    int m_savedMode = G_enumWirelessMode;
    int m_savedOs = OsVersionCode;
    int m_savedWpa = g_nWpaSupport;
    BOOL m_savedAllow = g_bAllowSecuredConnect;
    BYTE* m_savedList = g_pBssidListCopy;
};

} // namespace profilepages
