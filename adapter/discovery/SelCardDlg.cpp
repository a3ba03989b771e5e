#include "adapter/discovery/SelCardDlg.h"

#include "resources/common/SelCardIds.h"

#include <cstring>

namespace
{

// A text property of the device; FALSE when it cannot be read.
BOOL ReadProperty(HDEVINFO hDevInfo, DWORD dwMember, DWORD dwProperty, CString& strValue)
{
    SP_DEVINFO_DATA devInfoData;
    memset(&devInfoData, 0, sizeof(devInfoData));
    devInfoData.cbSize = sizeof(SP_DEVINFO_DATA);
    strValue.Empty();
    if (!SetupDiEnumDeviceInfo(hDevInfo, dwMember, &devInfoData))
        return FALSE;
    BYTE buffer[256];
    memset(buffer, 0, sizeof(buffer));
    DWORD dwType = 0;
    if (!SetupDiGetDeviceRegistryPropertyA(hDevInfo, &devInfoData, dwProperty, &dwType, buffer,
                                           sizeof(buffer), NULL))
        return FALSE;
    buffer[sizeof(buffer) - 1] = 0;
    strValue = reinterpret_cast<LPCSTR>(buffer);
    return TRUE;
}

} // namespace

BEGIN_MESSAGE_MAP(CSelCardDlg, CDialog)
ON_CBN_SELCHANGE(IDC_SELCARD_COMBO, OnSelchangeCard)
END_MESSAGE_MAP()

CSelCardDlg::CSelCardDlg(CWnd* pParent)
    : CDialog(CSelCardDlg::IDD, pParent), m_dwChosen(0), m_hDevInfo(INVALID_HANDLE_VALUE)
{
}

void CSelCardDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SELCARD_COMBO, m_cbCard);
    DDX_Text(pDX, IDC_SELCARD_DEVICEDESC, m_strDeviceDesc);
    DDX_Text(pDX, IDC_SELCARD_HARDWAREID, m_strHardwareId);
    DDX_Text(pDX, IDC_SELCARD_LOCATION, m_strLocation);
    DDX_Text(pDX, IDC_SELCARD_MANUFACTURER, m_strManufacturer);
}

BOOL CSelCardDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_hDevInfo == INVALID_HANDLE_VALUE || m_hDevInfo == 0)
        return FALSE;
    for (int i = 0; i < m_adwCandidates.GetSize(); i++)
    {
        CString strName;
        if (!ReadProperty(m_hDevInfo, m_adwCandidates[i], SPDRP_FRIENDLYNAME, strName))
            ReadProperty(m_hDevInfo, m_adwCandidates[i], SPDRP_DEVICEDESC, strName);
        m_cbCard.AddString(strName);
        if (i == 0)
            ReadCandidate(0);
    }
    m_cbCard.SetCurSel(0);
    UpdateData(FALSE);
    return TRUE;
}

void CSelCardDlg::ReadCandidate(int nPosition)
{
    if (nPosition < 0 || nPosition >= m_adwCandidates.GetSize())
        return;
    DWORD dwMember = m_adwCandidates[nPosition];
    ReadProperty(m_hDevInfo, dwMember, SPDRP_DEVICEDESC, m_strDeviceDesc);
    ReadProperty(m_hDevInfo, dwMember, SPDRP_HARDWAREID, m_strHardwareId);
    ReadProperty(m_hDevInfo, dwMember, SPDRP_LOCATION_INFORMATION, m_strLocation);
    ReadProperty(m_hDevInfo, dwMember, SPDRP_MFG, m_strManufacturer);
}

void CSelCardDlg::OnSelchangeCard()
{
    ReadCandidate(m_cbCard.GetCurSel());
    UpdateData(FALSE);
}

void CSelCardDlg::TakeSelection()
{
    int nSel = m_cbCard.GetCurSel();
    if (nSel < 0 || nSel >= m_adwCandidates.GetSize())
        nSel = 0;
    if (m_adwCandidates.GetSize() > 0)
        m_dwChosen = m_adwCandidates[nSel];
}

void CSelCardDlg::OnOK()
{
    TakeSelection();
    CDialog::OnOK();
}

// The template has no Cancel button, but Escape and the close box end the dialog too: the
// adapter shown is the one taken, as with OK.
void CSelCardDlg::OnCancel()
{
    TakeSelection();
    CDialog::OnCancel();
}

DWORD ChooseAdapterByDialog(HDEVINFO hDevInfo, const CDWordArray& candidates)
{
    CSelCardDlg dlg(AfxGetMainWnd());
    dlg.m_hDevInfo = hDevInfo;
    dlg.m_adwCandidates.Copy(candidates);
    dlg.m_dwChosen = candidates.GetSize() > 0 ? candidates[0] : 0;
    dlg.DoModal();
    return dlg.m_dwChosen;
}
