#pragma once
// The common controls: report list view, trackbar, progress bar, IP address field and image
// lists. Their messages, styles, notification codes and records. The records carry plain
// pointers: they travel in-process only, through a platform::PointerParam token.

#include "platform/base/WinTypes.h"
#include "platform/ui/MessageIds.h"
#include "platform/ui/UserTypes.h"

// Class names.
inline constexpr const char* WC_LISTVIEWA = "SysListView32";
inline constexpr const char* TRACKBAR_CLASSA = "msctls_trackbar32";
inline constexpr const char* PROGRESS_CLASSA = "msctls_progress32";
inline constexpr const char* WC_IPADDRESSA = "SysIPAddress32";
inline constexpr const char* WC_LISTVIEW = WC_LISTVIEWA;
inline constexpr const char* TRACKBAR_CLASS = TRACKBAR_CLASSA;
inline constexpr const char* PROGRESS_CLASS = PROGRESS_CLASSA;
inline constexpr const char* WC_IPADDRESS = WC_IPADDRESSA;

// Image lists are handles here, like every other object of the platform.
using HIMAGELIST = std::uint32_t;

inline constexpr UINT ILC_MASK = 0x00000001;
inline constexpr UINT ILC_COLOR = 0x00000000;
inline constexpr UINT ILC_COLORDDB = 0x000000FE;
inline constexpr UINT ILC_COLOR4 = 0x00000004;
inline constexpr UINT ILC_COLOR8 = 0x00000008;
inline constexpr UINT ILC_COLOR16 = 0x00000010;
inline constexpr UINT ILC_COLOR24 = 0x00000018;
inline constexpr UINT ILC_COLOR32 = 0x00000020;
inline constexpr UINT ILC_PALETTE = 0x00000800;
inline constexpr UINT ILC_MIRROR = 0x00002000;

inline constexpr UINT ILD_NORMAL = 0x0000;
inline constexpr UINT ILD_TRANSPARENT = 0x0001;
inline constexpr DWORD CLR_NONE = 0xFFFFFFFF;
inline constexpr DWORD CLR_DEFAULT = 0xFF000000;

// InitCommonControlsEx.
inline constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
inline constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
inline constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
inline constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
inline constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
inline constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
inline constexpr DWORD ICC_HOTKEY_CLASS = 0x00000040;
inline constexpr DWORD ICC_ANIMATE_CLASS = 0x00000080;
inline constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
inline constexpr DWORD ICC_DATE_CLASSES = 0x00000100;
inline constexpr DWORD ICC_USEREX_CLASSES = 0x00000200;
inline constexpr DWORD ICC_COOL_CLASSES = 0x00000400;
inline constexpr DWORD ICC_INTERNET_CLASSES = 0x00000800;
inline constexpr DWORD ICC_PAGESCROLLER_CLASS = 0x00001000;
inline constexpr DWORD ICC_NATIVEFNTCTL_CLASS = 0x00002000;
inline constexpr DWORD ICC_STANDARD_CLASSES = 0x00004000;
inline constexpr DWORD ICC_LINK_CLASS = 0x00008000;

struct INITCOMMONCONTROLSEX
{
    DWORD dwSize;
    DWORD dwICC;
};
using LPINITCOMMONCONTROLSEX = INITCOMMONCONTROLSEX*;

// Generic notification codes (WM_NOTIFY).
inline constexpr UINT NM_FIRST = 0u;
inline constexpr UINT NM_OUTOFMEMORY = NM_FIRST - 1;
inline constexpr UINT NM_CLICK = NM_FIRST - 2;
inline constexpr UINT NM_DBLCLK = NM_FIRST - 3;
inline constexpr UINT NM_RETURN = NM_FIRST - 4;
inline constexpr UINT NM_RCLICK = NM_FIRST - 5;
inline constexpr UINT NM_RDBLCLK = NM_FIRST - 6;
inline constexpr UINT NM_SETFOCUS = NM_FIRST - 7;
inline constexpr UINT NM_KILLFOCUS = NM_FIRST - 8;
inline constexpr UINT NM_CUSTOMDRAW = NM_FIRST - 12;
inline constexpr UINT NM_HOVER = NM_FIRST - 13;

// List view messages.
inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETBKCOLOR = LVM_FIRST + 0;
inline constexpr UINT LVM_SETBKCOLOR = LVM_FIRST + 1;
inline constexpr UINT LVM_GETIMAGELIST = LVM_FIRST + 2;
inline constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_GETITEMA = LVM_FIRST + 5;
inline constexpr UINT LVM_SETITEMA = LVM_FIRST + 6;
inline constexpr UINT LVM_INSERTITEMA = LVM_FIRST + 7;
inline constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
inline constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
inline constexpr UINT LVM_GETCALLBACKMASK = LVM_FIRST + 10;
inline constexpr UINT LVM_SETCALLBACKMASK = LVM_FIRST + 11;
inline constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
inline constexpr UINT LVM_FINDITEMA = LVM_FIRST + 13;
inline constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
inline constexpr UINT LVM_SETITEMPOSITION = LVM_FIRST + 15;
inline constexpr UINT LVM_GETITEMPOSITION = LVM_FIRST + 16;
inline constexpr UINT LVM_GETSTRINGWIDTHA = LVM_FIRST + 17;
inline constexpr UINT LVM_HITTEST = LVM_FIRST + 18;
inline constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
inline constexpr UINT LVM_SCROLL = LVM_FIRST + 20;
inline constexpr UINT LVM_REDRAWITEMS = LVM_FIRST + 21;
inline constexpr UINT LVM_ARRANGE = LVM_FIRST + 22;
inline constexpr UINT LVM_EDITLABELA = LVM_FIRST + 23;
inline constexpr UINT LVM_GETEDITCONTROL = LVM_FIRST + 24;
inline constexpr UINT LVM_GETCOLUMNA = LVM_FIRST + 25;
inline constexpr UINT LVM_SETCOLUMNA = LVM_FIRST + 26;
inline constexpr UINT LVM_INSERTCOLUMNA = LVM_FIRST + 27;
inline constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
inline constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
inline constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
inline constexpr UINT LVM_GETHEADER = LVM_FIRST + 31;
inline constexpr UINT LVM_CREATEDRAGIMAGE = LVM_FIRST + 33;
inline constexpr UINT LVM_GETVIEWRECT = LVM_FIRST + 34;
inline constexpr UINT LVM_GETTEXTCOLOR = LVM_FIRST + 35;
inline constexpr UINT LVM_SETTEXTCOLOR = LVM_FIRST + 36;
inline constexpr UINT LVM_GETTEXTBKCOLOR = LVM_FIRST + 37;
inline constexpr UINT LVM_SETTEXTBKCOLOR = LVM_FIRST + 38;
inline constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
inline constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
inline constexpr UINT LVM_GETORIGIN = LVM_FIRST + 41;
inline constexpr UINT LVM_UPDATE = LVM_FIRST + 42;
inline constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
inline constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
inline constexpr UINT LVM_GETITEMTEXTA = LVM_FIRST + 45;
inline constexpr UINT LVM_SETITEMTEXTA = LVM_FIRST + 46;
inline constexpr UINT LVM_SETITEMCOUNT = LVM_FIRST + 47;
inline constexpr UINT LVM_SORTITEMS = LVM_FIRST + 48;
inline constexpr UINT LVM_SETITEMPOSITION32 = LVM_FIRST + 49;
inline constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
inline constexpr UINT LVM_GETITEMSPACING = LVM_FIRST + 51;
inline constexpr UINT LVM_GETISEARCHSTRINGA = LVM_FIRST + 52;
inline constexpr UINT LVM_SETICONSPACING = LVM_FIRST + 53;
inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
inline constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
inline constexpr UINT LVM_GETSUBITEMRECT = LVM_FIRST + 56;
inline constexpr UINT LVM_SUBITEMHITTEST = LVM_FIRST + 57;
inline constexpr UINT LVM_SETCOLUMNORDERARRAY = LVM_FIRST + 58;
inline constexpr UINT LVM_GETCOLUMNORDERARRAY = LVM_FIRST + 59;
inline constexpr UINT LVM_SETHOTITEM = LVM_FIRST + 60;
inline constexpr UINT LVM_GETHOTITEM = LVM_FIRST + 61;
inline constexpr UINT LVM_GETSELECTIONMARK = LVM_FIRST + 66;
inline constexpr UINT LVM_SETSELECTIONMARK = LVM_FIRST + 67;
inline constexpr UINT LVM_GETITEM = LVM_GETITEMA;
inline constexpr UINT LVM_SETITEM = LVM_SETITEMA;
inline constexpr UINT LVM_INSERTITEM = LVM_INSERTITEMA;
inline constexpr UINT LVM_GETCOLUMN = LVM_GETCOLUMNA;
inline constexpr UINT LVM_SETCOLUMN = LVM_SETCOLUMNA;
inline constexpr UINT LVM_INSERTCOLUMN = LVM_INSERTCOLUMNA;
inline constexpr UINT LVM_GETITEMTEXT = LVM_GETITEMTEXTA;
inline constexpr UINT LVM_SETITEMTEXT = LVM_SETITEMTEXTA;

// List view notifications.
inline constexpr UINT LVN_FIRST = 0u - 100u;
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
inline constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2;
inline constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
inline constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;
inline constexpr UINT LVN_BEGINLABELEDITA = LVN_FIRST - 5;
inline constexpr UINT LVN_ENDLABELEDITA = LVN_FIRST - 6;
inline constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8;
inline constexpr UINT LVN_BEGINDRAG = LVN_FIRST - 9;
inline constexpr UINT LVN_BEGINRDRAG = LVN_FIRST - 11;
inline constexpr UINT LVN_ODCACHEHINT = LVN_FIRST - 13;
inline constexpr UINT LVN_ITEMACTIVATE = LVN_FIRST - 14;
inline constexpr UINT LVN_ODSTATECHANGED = LVN_FIRST - 15;
inline constexpr UINT LVN_HOTTRACK = LVN_FIRST - 21;
inline constexpr UINT LVN_GETDISPINFOA = LVN_FIRST - 50;
inline constexpr UINT LVN_SETDISPINFOA = LVN_FIRST - 51;
inline constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55;

// List view styles.
inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SMALLICON = 0x0002;
inline constexpr DWORD LVS_LIST = 0x0003;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_SORTASCENDING = 0x0010;
inline constexpr DWORD LVS_SORTDESCENDING = 0x0020;
inline constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
inline constexpr DWORD LVS_NOLABELWRAP = 0x0080;
inline constexpr DWORD LVS_AUTOARRANGE = 0x0100;
inline constexpr DWORD LVS_EDITLABELS = 0x0200;
inline constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
inline constexpr DWORD LVS_ALIGNTOP = 0x0000;
inline constexpr DWORD LVS_ALIGNLEFT = 0x0800;
inline constexpr DWORD LVS_OWNERDATA = 0x1000;
inline constexpr DWORD LVS_NOSCROLL = 0x2000;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;

// List view extended styles.
inline constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
inline constexpr DWORD LVS_EX_SUBITEMIMAGES = 0x00000002;
inline constexpr DWORD LVS_EX_CHECKBOXES = 0x00000004;
inline constexpr DWORD LVS_EX_TRACKSELECT = 0x00000008;
inline constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x00000010;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;
inline constexpr DWORD LVS_EX_ONECLICKACTIVATE = 0x00000040;
inline constexpr DWORD LVS_EX_TWOCLICKACTIVATE = 0x00000080;
inline constexpr DWORD LVS_EX_FLATSB = 0x00000100;
inline constexpr DWORD LVS_EX_REGIONAL = 0x00000200;
inline constexpr DWORD LVS_EX_INFOTIP = 0x00000400;
inline constexpr DWORD LVS_EX_UNDERLINEHOT = 0x00000800;
inline constexpr DWORD LVS_EX_UNDERLINECOLD = 0x00001000;
inline constexpr DWORD LVS_EX_MULTIWORKAREAS = 0x00002000;
inline constexpr DWORD LVS_EX_LABELTIP = 0x00004000;
inline constexpr DWORD LVS_EX_BORDERSELECT = 0x00008000;
inline constexpr DWORD LVS_EX_DOUBLEBUFFER = 0x00010000;

// LVITEMA.mask.
inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;
inline constexpr UINT LVIF_INDENT = 0x0010;
inline constexpr UINT LVIF_NORECOMPUTE = 0x0800;
inline constexpr UINT LVIF_DI_SETITEM = 0x1000;

// Item states.
inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIS_CUT = 0x0004;
inline constexpr UINT LVIS_DROPHILITED = 0x0008;
inline constexpr UINT LVIS_ACTIVATING = 0x0020;
inline constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
inline constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;

// LVM_GETNEXTITEM flags.
inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;
inline constexpr UINT LVNI_CUT = 0x0004;
inline constexpr UINT LVNI_DROPHILITED = 0x0008;
inline constexpr UINT LVNI_ABOVE = 0x0100;
inline constexpr UINT LVNI_BELOW = 0x0200;
inline constexpr UINT LVNI_TOLEFT = 0x0400;
inline constexpr UINT LVNI_TORIGHT = 0x0800;

// LVCOLUMNA.mask and .fmt.
inline constexpr UINT LVCF_FMT = 0x0001;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;
inline constexpr UINT LVCF_SUBITEM = 0x0008;
inline constexpr UINT LVCF_IMAGE = 0x0010;
inline constexpr UINT LVCF_ORDER = 0x0020;

inline constexpr int LVCFMT_LEFT = 0x0000;
inline constexpr int LVCFMT_RIGHT = 0x0001;
inline constexpr int LVCFMT_CENTER = 0x0002;
inline constexpr int LVCFMT_JUSTIFYMASK = 0x0003;
inline constexpr int LVCFMT_IMAGE = 0x0800;
inline constexpr int LVCFMT_BITMAP_ON_RIGHT = 0x1000;
inline constexpr int LVCFMT_COL_HAS_IMAGES = 0x8000;

// LVM_SETIMAGELIST / LVM_GETIMAGELIST kinds.
inline constexpr int LVSIL_NORMAL = 0;
inline constexpr int LVSIL_SMALL = 1;
inline constexpr int LVSIL_STATE = 2;

// LVM_SETCOLUMNWIDTH special widths.
inline constexpr int LVSCW_AUTOSIZE = -1;
inline constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

inline constexpr int I_IMAGECALLBACK = -1;
inline constexpr int I_IMAGENONE = -2;

struct LVITEMA
{
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
};
using LPLVITEMA = LVITEMA*;
using LVITEM = LVITEMA;
using LPLVITEM = LVITEMA*;
using LV_ITEMA = LVITEMA;
using LV_ITEM = LVITEMA;

struct LVCOLUMNA
{
    UINT mask;
    int fmt;
    int cx;
    LPSTR pszText;
    int cchTextMax;
    int iSubItem;
    int iImage;
    int iOrder;
};
using LPLVCOLUMNA = LVCOLUMNA*;
using LVCOLUMN = LVCOLUMNA;
using LPLVCOLUMN = LVCOLUMNA*;
using LV_COLUMNA = LVCOLUMNA;
using LV_COLUMN = LVCOLUMNA;

struct NMLISTVIEW
{
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};
using LPNMLISTVIEW = NMLISTVIEW*;
using NM_LISTVIEW = NMLISTVIEW;
using LPNM_LISTVIEW = NMLISTVIEW*;

struct NMITEMACTIVATE
{
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
};
using LPNMITEMACTIVATE = NMITEMACTIVATE*;

// Trackbar messages.
inline constexpr UINT TBM_GETPOS = WM_USER;
inline constexpr UINT TBM_GETRANGEMIN = WM_USER + 1;
inline constexpr UINT TBM_GETRANGEMAX = WM_USER + 2;
inline constexpr UINT TBM_GETTIC = WM_USER + 3;
inline constexpr UINT TBM_SETTIC = WM_USER + 4;
inline constexpr UINT TBM_SETPOS = WM_USER + 5;
inline constexpr UINT TBM_SETRANGE = WM_USER + 6;
inline constexpr UINT TBM_SETRANGEMIN = WM_USER + 7;
inline constexpr UINT TBM_SETRANGEMAX = WM_USER + 8;
inline constexpr UINT TBM_CLEARTICS = WM_USER + 9;
inline constexpr UINT TBM_SETSEL = WM_USER + 10;
inline constexpr UINT TBM_SETSELSTART = WM_USER + 11;
inline constexpr UINT TBM_SETSELEND = WM_USER + 12;
inline constexpr UINT TBM_GETPTICS = WM_USER + 14;
inline constexpr UINT TBM_GETTICPOS = WM_USER + 15;
inline constexpr UINT TBM_GETNUMTICS = WM_USER + 16;
inline constexpr UINT TBM_GETSELSTART = WM_USER + 17;
inline constexpr UINT TBM_GETSELEND = WM_USER + 18;
inline constexpr UINT TBM_CLEARSEL = WM_USER + 19;
inline constexpr UINT TBM_SETTICFREQ = WM_USER + 20;
inline constexpr UINT TBM_SETPAGESIZE = WM_USER + 21;
inline constexpr UINT TBM_GETPAGESIZE = WM_USER + 22;
inline constexpr UINT TBM_SETLINESIZE = WM_USER + 23;
inline constexpr UINT TBM_GETLINESIZE = WM_USER + 24;
inline constexpr UINT TBM_GETTHUMBRECT = WM_USER + 25;
inline constexpr UINT TBM_GETCHANNELRECT = WM_USER + 26;
inline constexpr UINT TBM_SETTHUMBLENGTH = WM_USER + 27;
inline constexpr UINT TBM_GETTHUMBLENGTH = WM_USER + 28;
inline constexpr UINT TBM_SETTOOLTIPS = WM_USER + 29;
inline constexpr UINT TBM_GETTOOLTIPS = WM_USER + 30;
inline constexpr UINT TBM_SETTIPSIDE = WM_USER + 31;
inline constexpr UINT TBM_SETBUDDY = WM_USER + 32;
inline constexpr UINT TBM_GETBUDDY = WM_USER + 33;

// Trackbar styles.
inline constexpr DWORD TBS_AUTOTICKS = 0x0001;
inline constexpr DWORD TBS_VERT = 0x0002;
inline constexpr DWORD TBS_HORZ = 0x0000;
inline constexpr DWORD TBS_TOP = 0x0004;
inline constexpr DWORD TBS_BOTTOM = 0x0000;
inline constexpr DWORD TBS_LEFT = 0x0004;
inline constexpr DWORD TBS_RIGHT = 0x0000;
inline constexpr DWORD TBS_BOTH = 0x0008;
inline constexpr DWORD TBS_NOTICKS = 0x0010;
inline constexpr DWORD TBS_ENABLESELRANGE = 0x0020;
inline constexpr DWORD TBS_FIXEDLENGTH = 0x0040;
inline constexpr DWORD TBS_NOTHUMB = 0x0080;
inline constexpr DWORD TBS_TOOLTIPS = 0x0100;
inline constexpr DWORD TBS_REVERSED = 0x0200;

// Trackbar scroll codes (the low word of WM_HSCROLL / WM_VSCROLL's wParam).
inline constexpr UINT TB_LINEUP = 0;
inline constexpr UINT TB_LINEDOWN = 1;
inline constexpr UINT TB_PAGEUP = 2;
inline constexpr UINT TB_PAGEDOWN = 3;
inline constexpr UINT TB_THUMBPOSITION = 4;
inline constexpr UINT TB_THUMBTRACK = 5;
inline constexpr UINT TB_TOP = 6;
inline constexpr UINT TB_BOTTOM = 7;
inline constexpr UINT TB_ENDTRACK = 8;

// Progress bar.
inline constexpr UINT PBM_SETRANGE = WM_USER + 1;
inline constexpr UINT PBM_SETPOS = WM_USER + 2;
inline constexpr UINT PBM_DELTAPOS = WM_USER + 3;
inline constexpr UINT PBM_SETSTEP = WM_USER + 4;
inline constexpr UINT PBM_STEPIT = WM_USER + 5;
inline constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
inline constexpr UINT PBM_GETRANGE = WM_USER + 7;
inline constexpr UINT PBM_GETPOS = WM_USER + 8;
inline constexpr UINT PBM_SETBARCOLOR = WM_USER + 9;
inline constexpr UINT CCM_FIRST = 0x2000;
inline constexpr UINT CCM_SETBKCOLOR = CCM_FIRST + 1;
inline constexpr UINT PBM_SETBKCOLOR = CCM_SETBKCOLOR;

inline constexpr DWORD PBS_SMOOTH = 0x01;
inline constexpr DWORD PBS_VERTICAL = 0x04;

struct PBRANGE
{
    int iLow;
    int iHigh;
};
using PPBRANGE = PBRANGE*;

// IP address field.
inline constexpr UINT IPM_CLEARADDRESS = WM_USER + 100;
inline constexpr UINT IPM_SETADDRESS = WM_USER + 101;
inline constexpr UINT IPM_GETADDRESS = WM_USER + 102;
inline constexpr UINT IPM_SETRANGE = WM_USER + 103;
inline constexpr UINT IPM_SETFOCUS = WM_USER + 104;
inline constexpr UINT IPM_ISBLANK = WM_USER + 105;

inline constexpr UINT IPN_FIRST = 0u - 860u;
inline constexpr UINT IPN_FIELDCHANGED = IPN_FIRST - 0;

constexpr DWORD MAKEIPADDRESS(DWORD b1, DWORD b2, DWORD b3, DWORD b4)
{
    return ((b1 & 0xFF) << 24) | ((b2 & 0xFF) << 16) | ((b3 & 0xFF) << 8) | (b4 & 0xFF);
}
constexpr LPARAM MAKEIPRANGE(BYTE low, BYTE high)
{
    return static_cast<LPARAM>((static_cast<WORD>(high) << 8) + low);
}
constexpr DWORD FIRST_IPADDRESS(DWORD x)
{
    return (x >> 24) & 0xFF;
}
constexpr DWORD SECOND_IPADDRESS(DWORD x)
{
    return (x >> 16) & 0xFF;
}
constexpr DWORD THIRD_IPADDRESS(DWORD x)
{
    return (x >> 8) & 0xFF;
}
constexpr DWORD FOURTH_IPADDRESS(DWORD x)
{
    return x & 0xFF;
}
