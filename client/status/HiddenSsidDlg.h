#pragma once
// A small modal dialog asking for the SSID of a network that hides it.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CHiddenSsidDlg : public CDialog
{
    DECLARE_DYNCREATE(CHiddenSsidDlg)
public:
    CHiddenSsidDlg(CWnd* pParent = NULL);
    virtual ~CHiddenSsidDlg();

    enum
    {
        IDD = IDD_HIDDEN_SSID_DLG
    };

    CString m_strSsid; // at most 32 characters
    CString m_strPrompt;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()
};
