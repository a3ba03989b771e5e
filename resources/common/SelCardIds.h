#pragma once
// Identifiers of the adapter selection dialog, which both configuration programs show.

// Dialog template
#define IDD_SELCARD_DIALOG 177

// Controls
#define IDC_SELCARD_COMBO 1094
#define IDC_SELCARD_DEVICEDESC 1095
#define IDC_SELCARD_HARDWAREID 1097
#define IDC_SELCARD_LOCATION 1098
#define IDC_SELCARD_MANUFACTURER 1099
