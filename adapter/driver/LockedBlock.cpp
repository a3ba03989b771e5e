#include "adapter/driver/LockedBlock.h"

LPVOID AllocLockedBlock(SIZE_T nBytes)
{
    HGLOBAL hMem = GlobalAlloc(GHND, nBytes);
    if (hMem == 0)
        return NULL;
    LPVOID p = GlobalLock(hMem);
    if (p == NULL)
        GlobalFree(hMem);
    return p;
}

void FreeLockedBlock(LPVOID p)
{
    if (p == NULL)
        return;
    HGLOBAL hMem = GlobalHandle(p);
    GlobalUnlock(hMem);
    GlobalFree(hMem);
}
