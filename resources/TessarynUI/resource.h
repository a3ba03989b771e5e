#pragma once
// Resource and command identifiers of TessarynUI.

// Dialog templates
#define IDD_HIDE_DIALOG 149

// The main sheet's title-bar icon
#define IDI_SHEET_ICON 163

// Property pages
#define IDD_PROFILE_PAGE 129
#define IDD_SYSCONFIG_PAGE 130
#define IDD_LINKSTATUS_PAGE 133
#define IDD_SITESURVEY_PAGE 134
#define IDD_STATISTIC_PAGE 135
#define IDD_ABOUT_PAGE 136
#define IDD_REGSET_PAGE 175
#define IDD_ADVANCE_PAGE 190
#define IDD_BLOCKACK_PAGE 244

// The adapter selection dialog (IDD_SELCARD_DIALOG) and its controls
#include "resources/common/SelCardIds.h"

// Notification-area menus: with and without the switch to access-point use
#define IDR_TRAY_MENU 228
#define IDR_TRAY_MENU_AP 231

// Notification-area commands
#define ID_TRAY_LAUNCH 0x8006
#define ID_TRAY_EXIT 0x8008
#define ID_TRAY_SWITCH_AP 0x800D
