#include "controls/ResizeWidthComboBox.h"

IMPLEMENT_DYNAMIC(CResizeWidthComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CResizeWidthComboBox, CComboBox)
ON_CONTROL_REFLECT(CBN_DROPDOWN, OnDropdown)
END_MESSAGE_MAP()

void CResizeWidthComboBox::OnDropdown()
{
    AdjustDroppedWidth();
}

void CResizeWidthComboBox::AdjustDroppedWidth()
{
    CDC* pDC = GetDC();
    if (pDC == NULL)
        return;
    const int nSavedDC = pDC->SaveDC();
    pDC->SelectObject(GetFont());

    int nWidth = 0;
    const int nScrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        CString strItem;
        GetLBText(i, strItem);
        const int nItemWidth = pDC->GetTextExtent(strItem).cx + nScrollWidth;
        if (nItemWidth > nWidth)
            nWidth = nItemWidth;
    }
    nWidth += pDC->GetTextExtent("0", 1).cx;

    pDC->RestoreDC(nSavedDC);
    ReleaseDC(pDC);
    SetDroppedWidth(static_cast<UINT>(nWidth));
}
