#pragma once
// One page of TessarynAp in a sheet of its own on a fresh machine with the default adapter, on
// the manual clock. A plain page beside it lets a test leave the page and come back.

#include "platform/ui/automation/Actions.h"
#include "tests/accesspoint/support/ApMachine.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace ap_test
{

template <class Page> class ApPageFixture : public ApMachine
{
protected:
    void TearDown() override
    {
        if (m_pSheet && m_pSheet->m_hWnd != 0)
            m_pSheet->DestroyWindow();
        platform::PumpUntilIdle();
        m_pSheet.reset();
        m_pPage.reset();
        m_pOther.reset();
        ApMachine::TearDown();
    }

    // Creates the sheet showing the page (its window and first activation).
    void OpenPage()
    {
        m_pPage = std::make_unique<Page>();
        m_pOther = std::make_unique<CPropertyPage>(IDD_MACTABLE_PAGE);
        m_pSheet = std::make_unique<CPropertySheet>("Pages");
        m_pSheet->AddPage(m_pPage.get());
        m_pSheet->AddPage(m_pOther.get());
        ASSERT_TRUE(m_pSheet->Create());
        platform::PumpUntilIdle();
        ASSERT_EQ(m_pSheet->GetActivePage(), m_pPage.get());
    }
    void ClosePage()
    {
        m_pSheet->DestroyWindow();
        platform::PumpUntilIdle();
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
    bool Enabled(int nId) const { return IsWindowEnabled(::GetDlgItem(m_pPage->m_hWnd, nId)); }
    void Click(int nId) const
    {
        m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                             static_cast<LPARAM>(::GetDlgItem(m_pPage->m_hWnd, nId)));
        platform::PumpUntilIdle();
    }

    std::unique_ptr<Page> m_pPage;
    std::unique_ptr<CPropertyPage> m_pOther;
    std::unique_ptr<CPropertySheet> m_pSheet;
};

} // namespace ap_test
