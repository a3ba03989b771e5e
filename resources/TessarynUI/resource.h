#pragma once
// Resource and command identifiers of TessarynUI.

// Dialog templates
#define IDD_HIDE_DIALOG 149

// Notification-area commands
#define ID_TRAY_LAUNCH 0x8006
#define ID_TRAY_EXIT 0x8008
#define ID_TRAY_SWITCH_AP 0x800D
