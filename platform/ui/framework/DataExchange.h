#pragma once
// Data exchange and validation between a dialog's controls and its members. A dialog's
// DoDataExchange lists the pairs:
//
//   void CMyDlg::DoDataExchange(CDataExchange* pDX)
//   {
//       CDialog::DoDataExchange(pDX);
//       DDX_Text(pDX, IDC_TIMEOUT, m_nTimeout);
//       DDV_MinMaxInt(pDX, m_nTimeout, 20, 1000);
//       DDX_Control(pDX, IDC_LIST, m_list);
//   }
//
// Saving (m_bSaveAndValidate TRUE) reads the controls into the members and runs the checks;
// loading writes the members into the controls (a DDV then only sets limits, such as
// EM_LIMITTEXT). A check that fails tells the user in a message box (the framework's texts) and
// calls Fail, which ends the exchange: UpdateData returns FALSE and the control that was
// prepared last gets the focus. Hidden controls take part like any other.

#include "platform/base/CString.h"
#include "platform/ui/controls/ControlMessages.h"
#include "platform/ui/framework/Exception.h"
#include "platform/ui/framework/Wnd.h"

#include <functional>
#include <string>

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    // The control the next check is about (and the focus goes to on failure).
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;

    // The control's window; a missing control is a fault of the program (std::logic_error).
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange as failed (throws CUserException).
    [[noreturn]] void Fail();
};

// Text of a control (an edit, static, button: the window text; a combo box: its edit text).
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Numbers read as the platform's formats read them: "%d" int and long, "%u" UINT (which is
// also DWORD, "%lu"), BYTE 0..255. Leading blanks and a sign are allowed; anything after the
// number, a sign on an unsigned value, or a value that does not fit fails with the framework's
// message.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// A check box: BST_UNCHECKED 0, BST_CHECKED 1, BST_INDETERMINATE 2.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// A radio group starting at nIDC (its first button, WS_GROUP): the index of the checked button
// (-1 when none is); loading checks that one and unchecks the rest. The group ends before the
// next control with WS_GROUP or the next control that is not a radio button.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Saving: the combo's text (a drop-down list: the selected item's). Loading: selects the first
// item that starts with the value (a drop-down list) or sets the edit text.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
// Makes rControl the control's permanent object, once (PreSubclassWindow runs then).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// The IP-address control's address (IPM_GETADDRESS / IPM_SETADDRESS), host order
// (first field in the top byte).
void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value);

// Saving: a longer text fails ("Please enter no more than %d characters."). Loading: limits the
// control (EM_LIMITTEXT, CB_LIMITTEXT for a combo box).
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);

namespace platform::afx
{

// How a failed check tells the user. The default shows AfxMessageBox(text, MB_ICONEXCLAMATION);
// a reporter replaces that (an empty function restores it).
using ValidationReporter = std::function<void(const std::string& text)>;
void SetValidationReporter(ValidationReporter reporter);
void ReportValidationError(const std::string& text);

} // namespace platform::afx
