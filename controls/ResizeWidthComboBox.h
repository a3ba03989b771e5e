#pragma once
// A combo box whose drop-down list opens as wide as its widest entry.

#include "platform/Windows.h"

class CResizeWidthComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CResizeWidthComboBox)
public:
    CResizeWidthComboBox() = default;

    // Widest item text plus a vertical scroll bar, plus the width of "0" as a margin.
    void AdjustDroppedWidth();

protected:
    afx_msg void OnDropdown();
    DECLARE_MESSAGE_MAP()
};
