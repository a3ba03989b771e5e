#pragma once
// Requests to the adapter's driver: one object identifier (OID) per request over the NDIS
// query control code, the device opened and closed around each one. A set that fails is
// queued and retried silently by a 500 ms thread timer of its own.

#include "platform/Windows.h"

// One failed set waiting for its next try.
struct _SET_INFORMATION_DATA
{
    DWORD Oid;           // as sent: already ORed with its set bits
    LPVOID pData;        // locked moveable global block with a copy of the data; NULL for length 0
    DWORD Length;        // bytes of data
    DWORD BytesReturned; // of the failed call
    int nRetry;          // attempts left
    UINT_PTR nTimerId;   // this entry's retry timer
};

typedef CArray<_SET_INFORMATION_DATA, _SET_INFORMATION_DATA&> CSetInformationArray;

// Failed sets in order of failure; owns each entry's data block.
extern CSetInformationArray RetryQueue;

// TRUE when the driver answered; pBuffer then holds the answer. Never queued.
BOOL OidQueryInformation(DWORD Oid, LPVOID pBuffer, DWORD Length, LPDWORD pBytesReturned);
// Sends Oid | 0x00800000. nRetry counts every try, the first included. TRUE when the first
// try succeeded; a failure with tries left is queued for the retry timer.
BOOL OidSetInformation(DWORD Oid, LPVOID pData, DWORD Length, LPDWORD pBytesReturned, int nRetry);
// As OidSetInformation, with Oid | 0xFF800000 when bSetFlag is nonzero, Oid unchanged otherwise.
BOOL OidSetInformationEx(DWORD Oid, LPVOID pData, DWORD Length, LPDWORD pBytesReturned,
                         int bSetFlag, int nRetry);
// The timer procedure of every retry timer.
void CALLBACK SetInformationTimerProc(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);
// 1 when the selected adapter's device can be opened, else 0.
int IsSelDeviceExist();
// Drops every queued set: frees its data block and kills its timer (at program end).
void ClearRetryQueue();
