#pragma once
// The notification-area commands both configuration programs' tray menus carry. A second start
// of either program posts ID_TRAY_LAUNCH to the one that runs.

#define ID_TRAY_LAUNCH 0x8006
#define ID_TRAY_EXIT 0x8008
