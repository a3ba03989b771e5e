#pragma once
// Resource and command identifiers of UplinkPick.

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_UPLINKPICK_DIALOG 102

// Strings
#define IDS_ABOUTBOX 101

// Icons
#define IDR_MAINFRAME 128

// System-menu command of the About box
#define IDM_ABOUTBOX 0x0010

// Controls of the main dialog
#define IDC_COMBO_ADAPTER 1000
#define IDC_EDIT_DESCRIPTION 1001
#define IDC_EDIT_MAC 1002
#define IDC_EDIT_IP 1003
