#include "adapter/about/AdapterAddresses.h"

#include "adapter/about/BoundedText.h"

#include <cstdio>
#include <cstring>
#include <vector>

void LookupAdapterAddresses(const BYTE* pMac, CString& strIp, CString& strMask, CString& strGateway,
                            BOOL bReportEmpty)
{
    strIp.Empty();
    strMask.Empty();
    strGateway.Empty();

    ULONG ulSize = 0;
    DWORD dwResult = GetAdaptersInfo(NULL, &ulSize);
    if (dwResult != ERROR_BUFFER_OVERFLOW || ulSize == 0)
    {
        if (dwResult == ERROR_NO_DATA && bReportEmpty)
            printf("\n No Interfaces Present.\n");
        return;
    }
    std::vector<BYTE> buffer(ulSize, 0);
    PIP_ADAPTER_INFO pList = reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data());
    if (GetAdaptersInfo(pList, &ulSize) != ERROR_SUCCESS)
        return;
    for (PIP_ADAPTER_INFO pAdapter = pList; pAdapter != NULL; pAdapter = pAdapter->Next)
    {
        if (pAdapter->AddressLength != 6 || memcmp(pAdapter->Address, pMac, 6) != 0)
            continue;
        strIp = BoundedText(pAdapter->IpAddressList.IpAddress.String,
                            sizeof(pAdapter->IpAddressList.IpAddress.String));
        strMask = BoundedText(pAdapter->IpAddressList.IpMask.String,
                              sizeof(pAdapter->IpAddressList.IpMask.String));
        strGateway = BoundedText(pAdapter->GatewayList.IpAddress.String,
                                 sizeof(pAdapter->GatewayList.IpAddress.String));
    }
}
