#pragma once
// Resource identifiers of TessarynAp: each dialog template, icon, menu, command, string and
// control has one name, here. Control ids count within their own template only; the other
// kinds are unique within their kind.

// ---------------------------------------------------------------------------------------------
// Shared with the wireless client

// The adapter selection dialog (IDD_SELCARD_DIALOG) and its controls.
#include "resources/common/SelCardIds.h"

// ---------------------------------------------------------------------------------------------
// Dialog templates

#define IDD_HIDE_DIALOG 149 // the monitor window, never shown
#define IDD_LINKSTATUS_PAGE 133
#define IDD_STATISTIC_PAGE 135
#define IDD_ABOUT_PAGE 136
#define IDD_REGSET_PAGE 175
#define IDD_MACTABLE_PAGE 190
#define IDD_EVENTLOG_PAGE 191
#define IDD_ACCESSCONTROL_PAGE 192
#define IDD_CONFIG_PAGE 194
#define IDD_WDS_PAGE 196
#define IDD_BLOCKACK_PAGE 218

// ---------------------------------------------------------------------------------------------
// Icons

// The notification-area icon in each state; the sheet's title bar shows the same icon.
#define IDI_SIGNAL_NORMAL 156 // signal 41 to 70 %
#define IDI_SIGNAL_WEAK 159   // signal 40 % or less
#define IDI_SIGNAL_GOOD 161   // signal above 70 %
#define IDI_DISCONNECTED 163  // at start, and the sheet's own icon
#define IDI_NO_ADAPTER 179

// ---------------------------------------------------------------------------------------------
// Menus and commands

// The notification-area menu: its popup "_TRSY_" carries the three commands below.
#define IDR_TRAY_MENU 217

// ID_TRAY_LAUNCH and ID_TRAY_EXIT are the commands both programs' menus carry; a second
// instance of either program posts ID_TRAY_LAUNCH to the running one.
#include "resources/common/TrayIds.h"
#define ID_TRAY_SWITCH_STATION 0x800A

// The notification-area icon's id in the shell's table (an id of the icon, not a resource).
#define TRAY_ICON_ID 161

// ---------------------------------------------------------------------------------------------
// Strings

// The program and its sheet.
#define IDS_SHEET_CAPTION 102
#define IDS_NOT_READY 182

// Page captions.
#define IDS_PAGE_ACCESS_CONTROL 186
#define IDS_PAGE_WDS 187
#define IDS_PAGE_STATISTICS 188
#define IDS_PAGE_ABOUT 189
#define IDS_PAGE_MAC_TABLE 190
#define IDS_PAGE_EVENT_LOG 191
#define IDS_PAGE_11N 325
#define IDS_PAGE_LINK_STATUS 354

// Tips of the notification-area icon.
#define IDS_TIP_DISCONNECTED 200
#define IDS_TIP_GOOD 202
#define IDS_TIP_WEAK 203
#define IDS_TIP_NORMAL 204
#define IDS_TIP_NOT_EXIST 205
