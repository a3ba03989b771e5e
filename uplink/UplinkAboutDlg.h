#pragma once
// The About box of the system menu.

#include "platform/Windows.h"

class CUplinkAboutDlg : public CDialog
{
public:
    CUplinkAboutDlg();

    enum
    {
        IDD = 100
    };
};
