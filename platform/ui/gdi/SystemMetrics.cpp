#include "platform/ui/gdi/SystemMetrics.h"

int GetSystemMetrics(int nIndex)
{
    switch (nIndex)
    {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
        return 1024;
    case SM_CYSCREEN:
        return 768;
    case SM_CYFULLSCREEN:
        return 768 - 30 - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 16;
    case SM_CYCAPTION:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 3;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYMENU:
    case SM_CXSIZE:
    case SM_CYSIZE:
    case SM_CYSMCAPTION:
        return 18;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
        return 75;
    case SM_CXMAXIMIZED:
        return 1032;
    case SM_CYMAXIMIZED:
        return 776 - 30;
    case SM_CMONITORS:
        return 1;
    default:
        return 0;
    }
}
