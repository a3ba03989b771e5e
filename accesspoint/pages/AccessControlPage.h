#pragma once
// The "Access Control" page: which stations may join, by MAC address. Its controls come with the
// page's own work: until then it is an empty page of its template and caption.

#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

class CAccessControlPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CAccessControlPage)
public:
    CAccessControlPage();
    virtual ~CAccessControlPage();

    enum
    {
        IDD = IDD_ACCESSCONTROL_PAGE
    };

protected:
    DECLARE_MESSAGE_MAP()
};
