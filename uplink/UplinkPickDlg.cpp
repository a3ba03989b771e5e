#include "uplink/UplinkPickDlg.h"

#include "resources/UplinkPick/resource.h"
#include "uplink/AdapterRecords.h"
#include "uplink/ConnectionSharing.h"
#include "uplink/NicReportParser.h"
#include "uplink/UplinkAboutDlg.h"

BEGIN_MESSAGE_MAP(CUplinkPickDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_CBN_SELCHANGE(IDC_COMBO_ADAPTER, OnSelchangeAdapter)
END_MESSAGE_MAP()

CUplinkPickDlg::CUplinkPickDlg(CWnd* pParent) : CDialog(CUplinkPickDlg::IDD, pParent)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CUplinkPickDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COMBO_ADAPTER, m_cbAdapter);
    DDX_Text(pDX, IDC_EDIT_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_EDIT_MAC, m_strMac);
    DDX_Text(pDX, IDC_EDIT_IP, m_strIp);
}

BOOL CUplinkPickDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != NULL)
    {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty())
        {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    ListConnections();
    if (g_nAdapterCount > 0)
    {
        m_cbAdapter.SetCurSel(0);
        ShowRecord(0);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CUplinkPickDlg::ListConnections()
{
    // The report is written into the program's own folder.
    char szPath[MAX_PATH] = {0};
    GetModuleFileNameA(0, szPath, MAX_PATH);
    CString strFolder = szPath;
    int nSlash = strFolder.ReverseFind('\\');
    if (nSlash >= 0)
        strFolder = strFolder.Left(nSlash);
    else
        strFolder = "C:\\Program Files(x86)\\Tessaryn\\Common";
    SetCurrentDirectoryA(strFolder);

    UINT nStarted = WinExec("\"NicReport.bat\" ", SW_HIDE);
    Sleep(2000);
    if (nStarted <= 31)
        return;

    CStringArray names;
    if (!ReadNicReport("NicReport.txt", names))
        return;
    for (int i = 0; i < names.GetSize(); i++)
        m_cbAdapter.AddString(names[i]);
}

void CUplinkPickDlg::ShowRecord(int nIndex)
{
    if (nIndex < 0 || nIndex >= g_nAdapterCount)
        return;
    m_strDescription = g_AdapterRecords[nIndex].Description;
    m_strMac = g_AdapterRecords[nIndex].MAC;
    m_strIp = g_AdapterRecords[nIndex].IP;
}

void CUplinkPickDlg::OnSelchangeAdapter()
{
    ShowRecord(m_cbAdapter.GetCurSel());
    UpdateData(FALSE);
}

void CUplinkPickDlg::OnOK()
{
    int nSel = m_cbAdapter.GetCurSel();
    if (nSel == CB_ERR || nSel >= g_nAdapterCount)
    {
        AfxMessageBox("No WAN interface, please skip...", MB_ICONSTOP | MB_OK);
        return;
    }
    if (g_AdapterRecords[nSel].IP.Find("192.168.0.") >= 0)
    {
        AfxMessageBox("No allow WAN IP is 192.168.0.x");
        return;
    }
    if (g_strWirelessName.IsEmpty())
    {
        AfxMessageBox("KWF-9310USB Wireless Adapter is not found.");
        return;
    }

    g_strWanName = g_AdapterRecords[nSel].Name;
    DisableAllConnectionSharing();
    int bWan = EnableConnectionSharing(g_strWanName, 0, 0);
    int bWireless = EnableConnectionSharing(g_strWirelessName, 1, 0);
    // One side shared without the other is no sharing at all: when either enable was refused,
    // turn everything off again, say so and stay, so that the user can pick again or leave
    // with "&Not enable ICS".
    if (!bWan || !bWireless)
    {
        DisableAllConnectionSharing();
        CString strMessage;
        strMessage.Format("Internet Connection Sharing could not be enabled on \"%s\".",
                          !bWan ? (LPCSTR)g_strWanName : (LPCSTR)g_strWirelessName);
        AfxMessageBox(strMessage, MB_ICONSTOP | MB_OK);
        return;
    }
    CDialog::OnOK();
}

void CUplinkPickDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
    {
        CUplinkAboutDlg dlgAbout;
        dlgAbout.DoModal();
    }
    else
    {
        CDialog::OnSysCommand(nID, lParam);
    }
}

// Minimised, the dialog draws its icon centred in the client area.
void CUplinkPickDlg::OnPaint()
{
    if (IsIconic())
    {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
        int cxIcon = GetSystemMetrics(SM_CXICON);
        int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        int x = (rect.Width() - cxIcon + 1) / 2;
        int y = (rect.Height() - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    }
    else
    {
        CDialog::OnPaint();
    }
}

HCURSOR CUplinkPickDlg::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}
