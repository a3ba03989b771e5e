#pragma once
// The buttons of the programs' modeless configuration sheets: the framework hides them, each
// program shows OK in the place of another button (its only job is to close the sheet) and
// Help, and the sheet is cut to end just below OK.

#include "platform/Windows.h"

// Shows and enables OK at the rectangle of the button nPlaceId, and shows and enables Help.
void ShowOkInPlaceOf(CPropertySheet& sheet, int nPlaceId);
// TRUE for a left-button release on the sheet's OK.
BOOL IsOkButtonRelease(CPropertySheet& sheet, const MSG* pMsg);
// The sheet's bottom edge nMargin pixels below its OK button; left, top and width kept.
void FitSheetBelowOk(CPropertySheet& sheet, int nMargin);
