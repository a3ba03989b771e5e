#pragma once
// The hidden monitor window of TessarynUI: a dialog that is never shown, run modally for the
// whole life of the program. For now it waits for the notification-area commands.

#include "platform/Windows.h"

class CHideDlg : public CDialog
{
public:
    CHideDlg(CWnd* pParent = NULL);

    BOOL m_bDeviceExist;
    BOOL m_bOpenSheetAtStart;

protected:
    virtual BOOL OnInitDialog();
    afx_msg void OnPaint();
    afx_msg void OnTrayLaunch();
    afx_msg void OnTrayExit();
    DECLARE_MESSAGE_MAP()
};
