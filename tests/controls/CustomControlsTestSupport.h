#pragma once
// Shared by the custom-control tests: a fresh machine and a modeless dialog holding one control
// of each kind, bound to the custom classes the way the pages bind them (DDX_Control), with a
// few plain controls beside them for focus moves and the cases that must not link.

#include "controls/LinkSlider.h"
#include "controls/NoHScrollListCtrl.h"
#include "controls/ResizeWidthComboBox.h"
#include "controls/SiteListCtrl.h"
#include "controls/SmartEdit.h"
#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>

namespace custom_controls_test
{

inline constexpr UINT IDD_CUSTOM_CONTROLS = 7301;
inline constexpr int IDC_SMART = 1101;          // CSmartEdit
inline constexpr int IDC_SMART_VERT = 1102;     // CSmartEdit, for the vertical slider
inline constexpr int IDC_OTHER = 1103;          // a plain edit that takes the focus away
inline constexpr int IDC_SLIDER = 1104;         // CLinkSlider
inline constexpr int IDC_SLIDER_VERT = 1105;    // CLinkSlider, TBS_VERT
inline constexpr int IDC_SLIDER_PLAIN = 1106;   // a trackbar no object is bound to
inline constexpr int IDC_COMBO = 1107;          // CResizeWidthComboBox
inline constexpr int IDC_COMBO_EMPTY = 1108;    // CResizeWidthComboBox without items
inline constexpr int IDC_LIST_NOHSCROLL = 1109; // CNoHScrollListCtrl, WS_HSCROLL
inline constexpr int IDC_LIST_SITE = 1110;      // CSiteListCtrl

// A 20-character item: 120 px by the fixed text rule.
inline constexpr const char* kWidestItem = "ABCDEFGHIJKLMNOPQRST";

class CCustomControlsDlg : public CDialog
{
public:
    CCustomControlsDlg() : CDialog(IDD_CUSTOM_CONTROLS) {}

    CSmartEdit m_edit;
    CSmartEdit m_editVert;
    CLinkSlider m_slider;
    CLinkSlider m_sliderVert;
    CResizeWidthComboBox m_combo;
    CResizeWidthComboBox m_comboEmpty;
    CNoHScrollListCtrl m_listNoHScroll;
    CSiteListCtrl m_listSite;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CustomControlsTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the dialog; false when it could not be made.
    bool Open();
    HWND Item(int id) const { return ::GetDlgItem(m_dlg.m_hWnd, id); }
    static std::string TextOf(HWND hwnd);
    // Types the text into the control as a user would, then moves the focus to the plain edit.
    void TypeAndLeave(HWND edit, const std::string& text);
    void Leave();
    static int Beeps() { return platform::BeepLog().count; }

    testing_support::TempMachine m_machine;
    CCustomControlsDlg m_dlg;
};

} // namespace custom_controls_test
