#pragma once
// The IP address, mask and gateway that the system's adapter list gives the adapter with that
// 6-byte MAC, as both programs' About pages show them.

#include "platform/Windows.h"

// The three texts emptied, then filled from every entry with a 6-byte address equal to pMac (the
// last one wins). An empty list prints "\n No Interfaces Present.\n" when bReportEmpty; any
// failure leaves the texts empty.
void LookupAdapterAddresses(const BYTE* pMac, CString& strIp, CString& strMask, CString& strGateway,
                            BOOL bReportEmpty);
