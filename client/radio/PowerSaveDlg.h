#pragma once
// The "Power Save Setting" dialog of the QoS page: which access categories use WMM power save.
// Apply sends them to the driver, stores them and reconnects.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CPOWERSAVEDLG : public CDialog
{
public:
    CPOWERSAVEDLG(CWnd* pParent = NULL);
    virtual ~CPOWERSAVEDLG();

    enum
    {
        IDD = IDD_POWERSAVE_DLG
    };

    int m_bAcBe;
    int m_bAcBk;
    int m_bAcVi;
    int m_bAcVo;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    afx_msg void OnApply();
    DECLARE_MESSAGE_MAP()
};
