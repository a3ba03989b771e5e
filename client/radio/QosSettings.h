#pragma once
// The adapter's Wi-Fi multimedia settings as the QoS page and the Advanced page keep them: in
// the driver (the APSD word, the DLS and WMM switches) and as "0"/"1" texts in "Config" and the
// driver key.

#include "platform/Windows.h"

// Query codes; the sets go out with bit 23 added.
#define OID_APSD 0x0D71012A // u32: bit 0 APSD on; bits 1-4 AC_BE, AC_BK, AC_VI, AC_VO
#define OID_WMM 0x0D71012D  // u8 switch (set only)
#define OID_DLS 0x0D710131  // u32 switch (set only)

// Each flag of 1 sends its value, in this order: the APSD word, the DLS switch, the WMM switch
// (its low byte).
void ApplyQosToDriver(int bSetApsd, int bSetDls, int bSetWmm, DWORD dwApsd, DWORD dwDls,
                      DWORD dwWmm);
// Each flag of 1 stores "1" for a value of 1, else "0": "APSDCapable", "DLSCapable" and
// "WMMCapable" to "Config", then the same into the driver key (nothing there when it does not
// open).
void SaveQosSettings(int bSaveApsd, int bSaveDls, int bSaveWmm, int nApsd, int nDls, int nWmm);
// "Config"'s values; an empty one leaves its output as it is.
void LoadQosSettings(int* pnApsd, int* pnDls, int* pnWmm);

// Stores "%d" of the value under the name in "Config", then as REG_SZ in the driver key;
// registry failures are reported with the two texts (each taking the value's text) and ignored.
void SaveConfigAndDriverValue(LPCSTR pszName, int nValue, LPCSTR pszOpenFailure,
                              LPCSTR pszSetFailure);
