#include "platform/ui/framework/DataExchange.h"

#include "platform/base/Formatter.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/framework/MessageBox.h"
#include "platform/ui/internal/WindowTable.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <stdexcept>
#include <strings.h>
#include <vector>

namespace platform::afx
{
namespace
{
std::mutex g_reporterMutex;
ValidationReporter g_reporter;
} // namespace

void SetValidationReporter(ValidationReporter reporter)
{
    std::lock_guard lock(g_reporterMutex);
    g_reporter = std::move(reporter);
}

void ReportValidationError(const std::string& text)
{
    ValidationReporter reporter;
    {
        std::lock_guard lock(g_reporterMutex);
        reporter = g_reporter;
    }
    if (reporter)
        reporter(text);
    else
        AfxMessageBox(text.c_str(), MB_ICONEXCLAMATION);
}

} // namespace platform::afx

namespace
{

constexpr const char* kParseInt = "Please enter an integer.";
constexpr const char* kParseUInt = "Please enter a positive integer.";
constexpr const char* kParseReal = "Please enter a number.";

[[noreturn]] void failWith(CDataExchange* pDX, const std::string& text)
{
    platform::afx::ReportValidationError(text);
    pDX->Fail();
}

bool isClass(HWND hwnd, const char* name)
{
    char buffer[64] = {};
    ::GetClassNameA(hwnd, buffer, sizeof buffer);
    return strcasecmp(buffer, name) == 0;
}

DWORD styleOf(HWND hwnd)
{
    return static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE));
}

bool isRadio(HWND hwnd)
{
    const DWORD type = styleOf(hwnd) & BS_TYPEMASK;
    return isClass(hwnd, "Button") && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

std::string windowText(HWND hwnd)
{
    const int length = ::GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    return text;
}

// The text as the platform's scanf reads one number and nothing after it: leading blanks are
// skipped, a sign is allowed, and the number must end the text and fit the type.
template <class T> bool scanInteger(const std::string& text, T& out)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (negative && std::is_unsigned_v<T>)
        return false;
    unsigned long long magnitude = 0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(first, last, magnitude);
    if (ec != std::errc{} || ptr != last || ptr == first)
        return false;
    if constexpr (std::is_unsigned_v<T>)
    {
        if (magnitude > std::numeric_limits<T>::max())
            return false;
        out = static_cast<T>(magnitude);
    }
    else
    {
        const unsigned long long limit =
            negative ? static_cast<unsigned long long>(std::numeric_limits<T>::max()) + 1
                     : static_cast<unsigned long long>(std::numeric_limits<T>::max());
        if (magnitude > limit)
            return false;
        out = negative ? static_cast<T>(-static_cast<long long>(magnitude))
                       : static_cast<T>(magnitude);
    }
    return true;
}

template <class T>
void textNumber(CDataExchange* pDX, int nIDC, T& value, const char* format, const char* failText)
{
    HWND hCtl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        T parsed{};
        if (!scanInteger(windowText(hCtl), parsed))
            failWith(pDX, failText);
        value = parsed;
    }
    else
    {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, format, value);
        ::SetWindowTextA(hCtl, buffer);
    }
}

// The radio buttons of the group that starts at hFirst, in order.
std::vector<HWND> radioGroup(HWND hDlg, HWND hFirst)
{
    std::vector<HWND> group;
    const std::vector<HWND> children = platform::ui::WindowTable::Instance().Children(hDlg);
    bool inGroup = false;
    for (HWND child : children)
    {
        if (child == hFirst)
            inGroup = true;
        else if (inGroup && ((styleOf(child) & WS_GROUP) != 0 || !isRadio(child)))
            break;
        if (inGroup)
            group.push_back(child);
    }
    return group;
}

std::string comboItemText(HWND hCtl, UINT getLenMsg, UINT getTextMsg, int index)
{
    const LRESULT length = ::SendMessageA(hCtl, getLenMsg, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    platform::PointerParam buffer(text.data());
    const LRESULT copied = ::SendMessageA(hCtl, getTextMsg, static_cast<WPARAM>(index), buffer);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

template <class T> void minMax(CDataExchange* pDX, T value, T minVal, T maxVal, const char* format)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, minVal, maxVal);
    failWith(pDX, buffer);
}

} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hCtl = m_pDlgWnd != nullptr ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : 0;
    if (hCtl == 0)
        throw std::logic_error("data exchange with a control that does not exist: id " +
                               std::to_string(nIDC));
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hCtl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hCtl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hCtl;
}

void CDataExchange::Fail()
{
    AfxThrowUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hCtl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        const std::string text = windowText(hCtl);
        value = CString(text.data(), static_cast<int>(text.size()));
    }
    else
        ::SetWindowTextA(hCtl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    textNumber(pDX, nIDC, value, "%d", kParseInt);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    textNumber(pDX, nIDC, value, "%u", kParseUInt);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    // A long is 32 bits on the platform the programs were written for.
    int narrow = static_cast<int>(value);
    textNumber(pDX, nIDC, narrow, "%d", kParseInt);
    value = narrow;
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    unsigned int wide = value;
    HWND hCtl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        if (!scanInteger(windowText(hCtl), wide) || wide > 255)
            failWith(pDX, "Please enter an integer between 0 and 255.");
        value = static_cast<BYTE>(wide);
    }
    else
    {
        const std::string text = std::to_string(wide);
        ::SetWindowTextA(hCtl, text.c_str());
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hCtl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        const std::string text = windowText(hCtl);
        errno = 0;
        char* end = nullptr;
        const double parsed = std::strtod(text.c_str(), &end);
        if (end == text.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(parsed))
            failWith(pDX, kParseReal);
        value = parsed;
    }
    else
    {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.15g", value);
        ::SetWindowTextA(hCtl, buffer);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hCtl, BM_GETCHECK, 0, 0));
    else
    {
        const int state = (value < 0 || value > 2) ? 0 : value;
        ::SendMessageA(hCtl, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hFirst = pDX->PrepareCtrl(nIDC);
    const std::vector<HWND> group = radioGroup(pDX->m_pDlgWnd->m_hWnd, hFirst);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    for (std::size_t i = 0; i < group.size(); ++i)
    {
        const int index = static_cast<int>(i);
        if (pDX->m_bSaveAndValidate)
        {
            if (value == -1 && ::SendMessageA(group[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        }
        else
            ::SendMessageA(group[i], BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hCtl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hCtl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace
{
bool isDropList(HWND hCtl)
{
    return (styleOf(hCtl) & 0x3u) == CBS_DROPDOWNLIST;
}

void comboString(CDataExchange* pDX, int nIDC, CString& value, UINT findMessage)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        std::string text;
        if (isDropList(hCtl))
        {
            const int sel = static_cast<int>(::SendMessageA(hCtl, CB_GETCURSEL, 0, 0));
            if (sel >= 0)
                text = comboItemText(hCtl, CB_GETLBTEXTLEN, CB_GETLBTEXT, sel);
        }
        else
            text = windowText(hCtl);
        value = CString(text.data(), static_cast<int>(text.size()));
        return;
    }
    platform::PointerParam wanted(value.GetString());
    if (findMessage == CB_SELECTSTRING)
    {
        if (::SendMessageA(hCtl, CB_SELECTSTRING, static_cast<WPARAM>(-1), wanted) == CB_ERR &&
            !isDropList(hCtl))
            ::SetWindowTextA(hCtl, value);
        return;
    }
    const LRESULT found = ::SendMessageA(hCtl, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), wanted);
    if (found != CB_ERR)
        ::SendMessageA(hCtl, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    else if (!isDropList(hCtl))
        ::SetWindowTextA(hCtl, value);
}
} // namespace

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    comboString(pDX, nIDC, value, CB_SELECTSTRING);
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    comboString(pDX, nIDC, value, CB_FINDSTRINGEXACT);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hCtl, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hCtl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        const int sel = static_cast<int>(::SendMessageA(hCtl, LB_GETCURSEL, 0, 0));
        const std::string text =
            sel >= 0 ? comboItemText(hCtl, LB_GETTEXTLEN, LB_GETTEXT, sel) : std::string();
        value = CString(text.data(), static_cast<int>(text.size()));
    }
    else
    {
        platform::PointerParam wanted(value.GetString());
        ::SendMessageA(hCtl, LB_SELECTSTRING, static_cast<WPARAM>(-1), wanted);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != 0)
        return;
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hCtl))
        throw std::logic_error("DDX_Control: control " + std::to_string(nIDC) +
                               " already has an object");
}

void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value)
{
    HWND hCtl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        DWORD address = 0;
        platform::PointerParam out(&address);
        ::SendMessageA(hCtl, IPM_GETADDRESS, 0, out);
        value = address;
    }
    else
        ::SendMessageA(hCtl, IPM_SETADDRESS, 0, static_cast<LPARAM>(value));
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate)
    {
        if (value.GetLength() > nChars)
        {
            char buffer[96];
            std::snprintf(buffer, sizeof buffer, "Please enter no more than %d characters.",
                          nChars);
            failWith(pDX, buffer);
        }
        return;
    }
    if (pDX->m_idLastControl == 0)
        return;
    HWND hCtl = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl);
    if (hCtl == 0)
        return;
    const UINT message = isClass(hCtl, "ComboBox") ? CB_LIMITTEXT : EM_LIMITTEXT;
    ::SendMessageA(hCtl, message, static_cast<WPARAM>(nChars), 0);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    minMax(pDX, value, minVal, maxVal, "Please enter an integer between %d and %d.");
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    minMax(pDX, value, minVal, maxVal, "Please enter an integer between %ld and %ld.");
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    minMax(pDX, value, minVal, maxVal, "Please enter an integer between %u and %u.");
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    minMax(pDX, value, minVal, maxVal, "Please enter an integer between %u and %u.");
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    minMax<unsigned int>(pDX, value, minVal, maxVal, "Please enter an integer between %u and %u.");
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    minMax(pDX, value, minVal, maxVal, "Please enter a number between %g and %g.");
}
