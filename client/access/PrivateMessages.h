#pragma once
// The monitor window's private messages. The WLAN notification callback, the profile-edit
// worker and the WMI sink run on other threads and only post these; every reaction runs on the
// UI thread.

#include "platform/Windows.h"

#define WM_WLAN_CONNECTED (WM_USER + 1)
#define WM_WLAN_ROAMED (WM_USER + 2)
#define WM_WLAN_INTERFACE_ARRIVAL (WM_USER + 3)
#define WM_SCAN_COMPLETE (WM_USER + 4)
#define WM_WLAN_DISCONNECTED (WM_USER + 5)
#define WM_SCAN_FAILED (WM_USER + 6)
#define WM_PROFILE_EDIT_STATE (WM_USER + 7) // wParam 0 before the editor, 1 after it
#define WM_RADIO_ON (WM_USER + 8)
#define WM_RADIO_OFF (WM_USER + 9)
#define WM_TRAY_NOTIFY (WM_USER + 100)
