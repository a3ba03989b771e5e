#pragma once
// The list of the Site Survey page: full-row selection, images in the columns, and a small
// image list of its own (the three icons that mark a row).

#include "platform/Windows.h"
#include "resources/common/SiteListIds.h"

class CSiteListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CSiteListCtrl)
public:
    CSiteListCtrl() = default;

    // Makes the 16 x 16 image list with the three icons and gives it to the list as its
    // small-image list. FALSE when the list cannot be made.
    BOOL CreateImageList();
    CImageList& GetSiteImageList() { return m_imageList; }

protected:
    // No messages of its own: the list view's map serves it.
    void PreSubclassWindow() override;

    CImageList m_imageList; // owned: destroyed with the control object
};
