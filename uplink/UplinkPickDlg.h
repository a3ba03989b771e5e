#pragma once
// The selection dialog: the connections of the adapter report, the chosen one's description,
// MAC and IP address, and "&Enable ICS" to share it with the wireless adapter's connection.

#include "platform/Windows.h"

class CUplinkPickDlg : public CDialog
{
public:
    explicit CUplinkPickDlg(CWnd* pParent = NULL);

    enum
    {
        IDD = 102
    };
    CComboBox m_cbAdapter;
    CString m_strDescription;
    CString m_strMac;
    CString m_strIp;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    // Runs the adapter report and lists its connections.
    void ListConnections();
    void ShowRecord(int nIndex);

    HICON m_hIcon;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnSelchangeAdapter();
    DECLARE_MESSAGE_MAP()
};
