#pragma once
// One page of TessarynAp under test: freshly built and loaded in a modeless sheet of its own,
// with an empty second page to leave it for, over the access point's machine and its first-run
// settings.

#include "accesspoint/monitor/HideDlg.h"
#include "platform/Windows.h"
#include "platform/ui/TestPump.h"
#include "tests/accesspoint/support/ApMachine.h"
#include "tests/accesspoint/support/ControlView.h"

#include <memory>
#include <string>

namespace ap_test
{

template <class TPage> class PageMachine : public ApMachine
{
protected:
    void SetUp() override
    {
        ApMachine::SetUp();
        CHideDlg monitor;
        monitor.CreateDefaultApSettings();
    }
    void TearDown() override
    {
        Close();
        ApMachine::TearDown();
    }

    // A new page and sheet; the page is active, so its window exists.
    void Open()
    {
        Close();
        m_pSheet = std::make_unique<CPropertySheet>("Page test");
        m_pPage = std::make_unique<TPage>();
        m_pOther = std::make_unique<CPropertyPage>(IDD_ABOUT_PAGE);
        m_pSheet->AddPage(m_pPage.get());
        m_pSheet->AddPage(m_pOther.get());
        ASSERT_TRUE(m_pSheet->Create());
        platform::PumpUntilIdle();
    }
    void Close()
    {
        if (m_pSheet && m_pSheet->m_hWnd != 0)
            m_pSheet->DestroyWindow();
        m_pSheet.reset();
        m_pPage.reset();
        m_pOther.reset();
    }
    // Activates the page (0) or the other one (1).
    void activate(int nPage)
    {
        ASSERT_TRUE(m_pSheet->SetActivePage(nPage));
        platform::PumpUntilIdle();
    }

    HWND page() const { return m_pPage->m_hWnd; }
    WindowNode view(int nID) const { return View(page(), nID); }

    std::unique_ptr<CPropertySheet> m_pSheet;
    std::unique_ptr<TPage> m_pPage;
    std::unique_ptr<CPropertyPage> m_pOther;
};

} // namespace ap_test
