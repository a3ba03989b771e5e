#pragma once
// The one-time-password dialog of PEAP: the tunnel identity and, unless only the identity is
// asked for, the tunnel password. The monitor window holds one for its whole life; nothing runs
// it.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CPeapSettingDlg : public CDialog
{
public:
    CPeapSettingDlg(CWnd* pParent = NULL);
    virtual ~CPeapSettingDlg();

    enum
    {
        IDD = IDD_PEAP_SETTING_DLG
    };

    CString m_strTunnelID;
    CString m_strTunnelPassword;
    BOOL m_bIdentityOnly;

    BOOL OnInitDialog() override;
    // Refuses an empty identity, and an empty password unless only the identity is asked for.
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
