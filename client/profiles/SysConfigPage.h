#pragma once
// The System Configuration page: profile name, SSID, network type and transmit power of a
// profile (first page of the profile editor; the main sheet holds one it never shows).

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CSysConfigPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CSysConfigPage)
public:
    CSysConfigPage();
    virtual ~CSysConfigPage();

    enum
    {
        IDD = IDD_SYSCONFIG_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
