#include "adapter/driver/DriverRequest.h"

#include "adapter/discovery/AdapterState.h"
#include "adapter/driver/LockedBlock.h"
#include "adapter/system/OsVersion.h"

#include <cstring>
#include <vector>

namespace
{

const DWORD kSetBit = 0x00800000;
const DWORD kSetBitsEx = 0xFF800000;
const UINT kRetryInterval = 500;

HANDLE OpenSelDevice()
{
    return CreateFileA(g_strDevicePath, 0, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, 0);
}

BOOL SendRequest(HANDLE hDevice, DWORD Oid, LPVOID pBuffer, DWORD Length, LPDWORD pBytesReturned)
{
    *pBytesReturned = 0;
    return DeviceIoControl(hDevice, IOCTL_NDIS_QUERY_GLOBAL_STATS, &Oid, sizeof(Oid), pBuffer,
                           Length, pBytesReturned, NULL);
}

LPVOID CopyToGlobalBlock(LPCVOID pData, DWORD Length)
{
    if (Length == 0 || pData == NULL)
        return NULL;
    LPVOID p = AllocLockedBlock(Length);
    if (p != NULL)
        memcpy(p, pData, Length);
    return p;
}

void DropEntry(INT_PTR nIndex)
{
    _SET_INFORMATION_DATA& entry = RetryQueue.ElementAt(nIndex);
    FreeLockedBlock(entry.pData);
    KillTimer(0, entry.nTimerId);
    RetryQueue.RemoveAt(nIndex);
}

BOOL SetInformation(DWORD SetOid, LPVOID pData, DWORD Length, LPDWORD pBytesReturned, int nRetry)
{
    DWORD dwLocal = 0;
    if (pBytesReturned == NULL)
        pBytesReturned = &dwLocal;
    if (Length == 0)
        pData = NULL; // an empty set carries no buffer

    HANDLE hDevice = OpenSelDevice();
    if (hDevice == INVALID_HANDLE_VALUE)
        return FALSE;

    nRetry--;
    BOOL bResult;
    if (OsVersionCode == 10)
    {
        // 64-bit XP: the driver gets a copy, and whatever it writes there stays there.
        std::vector<BYTE> copy(Length);
        if (Length != 0)
            memcpy(copy.data(), pData, Length);
        bResult =
            SendRequest(hDevice, SetOid, Length != 0 ? copy.data() : NULL, Length, pBytesReturned);
    }
    else
        bResult = SendRequest(hDevice, SetOid, pData, Length, pBytesReturned);
    CloseHandle(hDevice);
    if (bResult)
        return TRUE;
    if (nRetry <= 0)
        return FALSE;

    _SET_INFORMATION_DATA entry;
    entry.Oid = SetOid;
    entry.pData = CopyToGlobalBlock(pData, Length);
    entry.Length = Length;
    if (Length != 0 && entry.pData == NULL)
        return FALSE; // out of memory: nothing to retry with
    entry.BytesReturned = *pBytesReturned;
    entry.nRetry = nRetry;
    entry.nTimerId = SetTimer(0, 0, kRetryInterval, SetInformationTimerProc);
    if (entry.nTimerId == 0)
    {
        FreeLockedBlock(entry.pData);
        return FALSE;
    }
    RetryQueue.Add(entry);
    return FALSE;
}

} // namespace

BOOL OidQueryInformation(DWORD Oid, LPVOID pBuffer, DWORD Length, LPDWORD pBytesReturned)
{
    DWORD dwLocal = 0;
    if (pBytesReturned == NULL)
        pBytesReturned = &dwLocal;
    HANDLE hDevice = OpenSelDevice();
    if (hDevice == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL bResult = SendRequest(hDevice, Oid, pBuffer, Length, pBytesReturned);
    CloseHandle(hDevice);
    return bResult;
}

BOOL OidSetInformation(DWORD Oid, LPVOID pData, DWORD Length, LPDWORD pBytesReturned, int nRetry)
{
    return SetInformation(Oid | kSetBit, pData, Length, pBytesReturned, nRetry);
}

BOOL OidSetInformationEx(DWORD Oid, LPVOID pData, DWORD Length, LPDWORD pBytesReturned,
                         int bSetFlag, int nRetry)
{
    DWORD SetOid = bSetFlag ? (Oid | kSetBitsEx) : Oid;
    return SetInformation(SetOid, pData, Length, pBytesReturned, nRetry);
}

void CALLBACK SetInformationTimerProc(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    if (RetryQueue.GetSize() == 0)
    {
        KillTimer(0, idEvent);
        return;
    }

    INT_PTR nIndex = -1;
    for (INT_PTR i = 0; i < RetryQueue.GetSize(); i++)
    {
        if (RetryQueue[i].nTimerId == idEvent)
        {
            nIndex = i;
            break;
        }
    }
    if (nIndex < 0)
    {
        KillTimer(0, idEvent);
        return;
    }
    if (RetryQueue[nIndex].nRetry <= 0)
    {
        DropEntry(nIndex);
        return;
    }

    HANDLE hDevice = OpenSelDevice();
    if (hDevice == INVALID_HANDLE_VALUE)
    {
        // The adapter is gone: none of the waiting sets can reach it.
        ClearRetryQueue();
        return;
    }

    _SET_INFORMATION_DATA& entry = RetryQueue.ElementAt(nIndex);
    BOOL bResult = SendRequest(hDevice, entry.Oid, entry.pData, entry.Length, &entry.BytesReturned);
    CloseHandle(hDevice);
    if (bResult)
    {
        DropEntry(nIndex);
        return;
    }
    entry.nRetry--;
    if (entry.nRetry <= 0)
        DropEntry(nIndex);
}

int IsSelDeviceExist()
{
    HANDLE hDevice = OpenSelDevice();
    if (hDevice == INVALID_HANDLE_VALUE)
        return 0;
    CloseHandle(hDevice);
    return 1;
}

void ClearRetryQueue()
{
    while (RetryQueue.GetSize() > 0)
        DropEntry(RetryQueue.GetSize() - 1);
}
