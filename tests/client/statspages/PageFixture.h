#pragma once
// One status page in a sheet of its own, over the monitor window on a fresh machine on the
// manual clock. An empty page beside it lets a test leave the page and come back.

#include "tests/client/monitor/MonitorFixture.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace statspages_test
{

template <class Page> class PageFixture : public monitor_test::MonitorFixture
{
protected:
    void SetUp() override
    {
        monitor_test::MonitorFixture::SetUp();
        if (HasFatalFailure())
            return;
        clearRequests();
    }

    void TearDown() override
    {
        if (m_pSheet && m_pSheet->m_hWnd != 0)
            m_pSheet->DestroyWindow();
        platform::PumpUntilIdle();
        m_pSheet.reset();
        m_pPage.reset();
        m_pOther.reset();
        monitor_test::MonitorFixture::TearDown();
    }

    // Creates the sheet showing the page (its window and first activation).
    void OpenPage()
    {
        m_pPage = std::make_unique<Page>();
        m_pOther = std::make_unique<CPropertyPage>(IDD_PROFILE_PAGE);
        m_pSheet = std::make_unique<CPropertySheet>("Pages");
        m_pSheet->AddPage(m_pPage.get());
        m_pSheet->AddPage(m_pOther.get());
        ASSERT_TRUE(m_pSheet->Create());
        platform::PumpUntilIdle();
        ASSERT_EQ(m_pSheet->GetActivePage(), m_pPage.get());
    }

    void LeavePage() { ASSERT_TRUE(m_pSheet->SetActivePage(m_pOther.get())); }
    void ReturnToPage() { ASSERT_TRUE(m_pSheet->SetActivePage(m_pPage.get())); }

    std::string Text(int nId) const
    {
        CString s;
        m_pPage->GetDlgItemText(nId, s);
        return std::string(s);
    }
    bool Visible(int nId) const { return IsWindowVisible(::GetDlgItem(m_pPage->m_hWnd, nId)); }

    std::unique_ptr<Page> m_pPage;
    std::unique_ptr<CPropertyPage> m_pOther;
    std::unique_ptr<CPropertySheet> m_pSheet;
};

} // namespace statspages_test
