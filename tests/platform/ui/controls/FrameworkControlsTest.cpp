#include "tests/platform/ui/controls/ControlsTestSupport.h"

#include <string>
#include <vector>

namespace
{

using controls_test::Control;

inline constexpr UINT IDD_SITES = 1600;
inline constexpr int IDC_SITES = 1601;
inline constexpr int IDC_LEVEL = 1602;
inline constexpr int IDC_REFRESH = 1603;

// A list class of the kind the programs derive: it sets itself up when it takes the window.
class CIconListCtrl : public CListCtrl
{
public:
    CImageList m_images;

protected:
    void PreSubclassWindow() override
    {
        CListCtrl::PreSubclassWindow();
        SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
        m_images.Create(16, 16, ILC_COLOR8 | ILC_MASK, 1, 1);
        for (HICON icon : {173u, 237u, 238u})
            m_images.Add(icon);
        SetImageList(&m_images, LVSIL_SMALL);
    }
};

std::vector<std::string> g_events;

class CSitesDlg : public CDialog
{
public:
    CSitesDlg() : CDialog(IDD_SITES) {}

    CIconListCtrl m_sites;
    CSliderCtrl m_level;
    bool m_refuseFirstRow = true;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_sites.SubclassDlgItem(IDC_SITES, this);
        m_level.SubclassDlgItem(IDC_LEVEL, this);
        m_level.SetRange(-90, -60, TRUE);
        m_sites.InsertColumn(0, "SSID", LVCFMT_LEFT, 100);
        for (const char* ssid : {"home", "office", "cafe"})
            m_sites.InsertItem(m_sites.GetItemCount(), ssid, 1);
        return TRUE;
    }

protected:
    afx_msg void OnChanging(NMHDR* pNMHDR, LRESULT* pResult)
    {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
        *pResult = m_refuseFirstRow && nm->iItem == 0 ? 1 : 0;
    }
    afx_msg void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult)
    {
        auto* nm = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
        g_events.push_back("dblclk " + std::to_string(nm->iItem) + " " +
                           static_cast<const char*>(m_sites.GetItemText(nm->iItem, 0)));
        *pResult = 0;
        EndDialog(100 + nm->iItem);
    }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        if (reinterpret_cast<CWnd*>(pScrollBar) == &m_level && nSBCode == TB_THUMBTRACK)
            g_events.push_back("track " + std::to_string(static_cast<int>(nPos)));
    }
    afx_msg void OnRefresh() { g_events.push_back("refresh"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSitesDlg, CDialog)
ON_NOTIFY(LVN_ITEMCHANGING, IDC_SITES, OnChanging)
ON_NOTIFY(NM_DBLCLK, IDC_SITES, OnDblClk)
ON_WM_HSCROLL()
ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
END_MESSAGE_MAP()

class FrameworkControlsTest : public controls_test::ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        g_events.clear();
        platform::DialogTemplate dialogTemplate;
        dialogTemplate.caption = "Site Survey";
        dialogTemplate.rect = {0, 0, 300, 200};
        dialogTemplate.controls = {
            Control(WC_LISTVIEWA, IDC_SITES, LVS_REPORT | LVS_SINGLESEL | WS_TABSTOP, "",
                    {0, 0, 200, 100}),
            Control(TRACKBAR_CLASSA, IDC_LEVEL, 0, "", {0, 110, 100, 20}),
            Control("Button", IDC_REFRESH, BS_PUSHBUTTON, "Refresh", {0, 140, 50, 14}),
        };
        platform::RegisterDialogTemplate(IDD_SITES, dialogTemplate);
    }
};

TEST_F(FrameworkControlsTest, APagesHandlersSeeThePersonsActionsOnItsControls)
{
    const std::size_t liveLists = platform::LiveImageLists();
    CSitesDlg dlg;
    int step = 0;
    platform::SetIdleHook(
        [&]
        {
            HWND h = FindWindowA(WC_DIALOG, "Site Survey");
            if (h == 0)
                return;
            switch (step++)
            {
            case 0:
            {
                // Set up in PreSubclassWindow: the style and the icons, in order.
                EXPECT_EQ(dlg.m_sites.GetExtendedStyle(), 0x22u);
                platform::ImageListInfo info;
                ASSERT_TRUE(platform::GetImageListInfo(
                    dlg.m_sites.GetImageList(LVSIL_SMALL)->m_hImageList, info));
                EXPECT_EQ(info.images, (std::vector<HANDLE>{173, 237, 238}));
                EXPECT_EQ(dlg.m_level.GetRangeMin(), -90);
                EXPECT_EQ(dlg.m_level.GetPos(), -60); // the old position 0 is pulled into the range

                // The page refuses the first row.
                platform::ListViewClickRowAsUser(dlg.m_sites.m_hWnd, 0);
                EXPECT_EQ(dlg.m_sites.GetSelectedCount(), 0u);
                platform::ListViewClickRowAsUser(dlg.m_sites.m_hWnd, 1);
                EXPECT_EQ(dlg.m_sites.GetNextItem(-1, LVNI_SELECTED), 1);
                platform::SliderMoveAsUser(dlg.m_level.m_hWnd, -70);
                platform::ButtonClickAsUser(GetDlgItem(h, IDC_REFRESH));
                break;
            }
            case 1:
                platform::ListViewDoubleClickRowAsUser(dlg.m_sites.m_hWnd, 2);
                break;
            default:
                break;
            }
        });
    EXPECT_EQ(dlg.DoModal(), 102);
    EXPECT_EQ(g_events, (std::vector<std::string>{"track -70", "refresh", "dblclk 2 cafe"}));
    // The list view took its image list with it; the member object lets go of a dead handle.
    EXPECT_EQ(platform::LiveImageLists(), liveLists);
}

} // namespace
