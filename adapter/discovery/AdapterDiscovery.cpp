#include "adapter/discovery/AdapterDiscovery.h"

#include "adapter/discovery/AdapterState.h"
#include "adapter/discovery/SelCardDlg.h"
#include "adapter/system/OsVersion.h"

#include <cstring>

// The chip maker's own products first (vendor 0xFA11), then the adapter makers using its chips.
const HardwareIdEntry g_UsbHardwareIdTable[USB_HARDWARE_ID_COUNT] = {
    {"USB\\VID_FA11&PID_1401", 1}, {"USB\\VID_FA11&PID_1402", 1}, {"USB\\VID_FA11&PID_1403", 1},
    {"USB\\VID_FA11&PID_1404", 1}, {"USB\\VID_FA11&PID_1405", 1}, {"USB\\VID_FA11&PID_1406", 1},
    {"USB\\VID_FA11&PID_1407", 1}, {"USB\\VID_FA11&PID_2300", 5}, {"USB\\VID_FA11&PID_2301", 5},
    {"USB\\VID_FA11&PID_2302", 5}, {"USB\\VID_FA11&PID_2303", 5}, {"USB\\VID_FA11&PID_2304", 5},
    {"USB\\VID_FA11&PID_2305", 5}, {"USB\\VID_FA11&PID_2306", 5}, {"USB\\VID_FA11&PID_3400", 8},
    {"USB\\VID_FA11&PID_3401", 8}, {"USB\\VID_FA11&PID_3402", 8}, {"USB\\VID_FA11&PID_3403", 8},
    {"USB\\VID_FA11&PID_3404", 8}, {"USB\\VID_FA11&PID_3405", 8}, {"USB\\VID_FA11&PID_3406", 8},
    {"USB\\VID_FA12&PID_1412", 1}, {"USB\\VID_FA12&PID_2312", 5}, {"USB\\VID_FA12&PID_3412", 8},
    {"USB\\VID_FA13&PID_1413", 1}, {"USB\\VID_FA13&PID_2313", 5}, {"USB\\VID_FA13&PID_3413", 8},
    {"USB\\VID_FA14&PID_1414", 1}, {"USB\\VID_FA14&PID_2314", 5}, {"USB\\VID_FA14&PID_3414", 8},
    {"USB\\VID_FA15&PID_1415", 1}, {"USB\\VID_FA15&PID_2315", 5}, {"USB\\VID_FA15&PID_3415", 8},
    {"USB\\VID_FA16&PID_1416", 1}, {"USB\\VID_FA16&PID_2316", 5}, {"USB\\VID_FA16&PID_3416", 8},
    {"USB\\VID_FA17&PID_1417", 1}, {"USB\\VID_FA17&PID_2317", 5}, {"USB\\VID_FA17&PID_3417", 8},
    {"USB\\VID_FA18&PID_1418", 1}, {"USB\\VID_FA18&PID_2318", 5}, {"USB\\VID_FA18&PID_3418", 8},
    {"USB\\VID_FA19&PID_1419", 1}, {"USB\\VID_FA19&PID_2319", 5}, {"USB\\VID_FA19&PID_3419", 8},
    {"USB\\VID_FA1A&PID_141A", 1}, {"USB\\VID_FA1A&PID_231A", 5}, {"USB\\VID_FA1A&PID_341A", 8},
    {"USB\\VID_FA1B&PID_141B", 1}, {"USB\\VID_FA1B&PID_231B", 5}, {"USB\\VID_FA1B&PID_341B", 8},
    {"USB\\VID_FA1C&PID_141C", 1}, {"USB\\VID_FA1C&PID_231C", 5}, {"USB\\VID_FA1C&PID_341C", 8},
    {"USB\\VID_FA1D&PID_141D", 1}, {"USB\\VID_FA1D&PID_231D", 5}, {"USB\\VID_FA1D&PID_341D", 8},
    {"USB\\VID_FA1E&PID_141E", 1}, {"USB\\VID_FA1E&PID_231E", 5}, {"USB\\VID_FA1E&PID_341E", 8},
    {"USB\\VID_FA1F&PID_141F", 1}, {"USB\\VID_FA1F&PID_231F", 5}, {"USB\\VID_FA1F&PID_341F", 8},
};

const HardwareIdEntry g_PciHardwareIdTable[PCI_HARDWARE_ID_COUNT] = {
    {"PCI\\VEN_FA11&DEV_1400", 0}, {"PCI\\VEN_FA11&DEV_2100", 4}, {"PCI\\VEN_FA11&DEV_3301", 6},
    {"PCI\\VEN_FA11&DEV_3300", 7}, {"PCI\\VEN_FA12&DEV_1400", 0}, {"PCI\\VEN_FA13&DEV_2100", 4},
    {"PCI\\VEN_FA14&DEV_3300", 7},
};

const ChipFamilyEntry g_ChipFamilyTable[CHIP_FAMILY_COUNT] = {
    {"KQ1400", {"kq1400.sys", "kq1400.sys", "kq1400xp.sys", "", ""}},
    {"KQ14U98", {"kq14u98.sys", "", "", "", ""}},
    {"KQ1600", {"kq1600.sys", "kq1600.sys", "kq1600xp.sys", "", ""}},
    {"KQ16U98", {"kq16u98.sys", "", "", "", ""}},
    {"KQ21", {"kq21.sys", "kq21.sys", "kq21xp.sys", "kq21x64.sys", "kq21v.sys"}},
    {"KQ23", {"kq23.sys", "kq23.sys", "kq23xp.sys", "kq23x64.sys", "kq23v.sys"}},
    {"KQ3300_A", {"", "kq3300a.sys", "kq3300axp.sys", "kq3300ax64.sys", "kq3300av.sys"}},
    {"KQ3300", {"", "kq3300.sys", "kq3300xp.sys", "kq3300x64.sys", "kq3300v.sys"}},
    {"KQ3400", {"", "kq3400.sys", "kq3400xp.sys", "kq3400x64.sys", "kq3400v.sys"}},
};

namespace
{

// The first string of a property (multi-strings included), always terminated; empty when the
// property cannot be read.
CString ReadDeviceProperty(HDEVINFO hDevInfo, SP_DEVINFO_DATA* pDevInfoData, DWORD dwProperty)
{
    BYTE buffer[256];
    memset(buffer, 0, sizeof(buffer));
    DWORD dwType = 0;
    if (!SetupDiGetDeviceRegistryPropertyA(hDevInfo, pDevInfoData, dwProperty, &dwType, buffer,
                                           sizeof(buffer), NULL))
        return CString();
    buffer[sizeof(buffer) - 1] = 0;
    return CString(reinterpret_cast<LPCSTR>(buffer));
}

int FindChipType(const HardwareIdEntry* pTable, int nRows, const CString& strHardwareId)
{
    for (int i = 0; i < nRows; i++)
    {
        if (strncmp(strHardwareId, pTable[i].pszHardwareId, HARDWARE_ID_COMPARE_LENGTH) == 0)
            return pTable[i].nChipType;
    }
    return -1;
}

// "NetCfgInstanceId" of the device's driver key; FALSE when the key or value cannot be read.
BOOL ReadNetCfgInstanceId(HDEVINFO hDevInfo, SP_DEVINFO_DATA* pDevInfoData, CString& strValue)
{
    HKEY hKey =
        SetupDiOpenDevRegKey(hDevInfo, pDevInfoData, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
    if (hKey == static_cast<HKEY>(INVALID_HANDLE_VALUE) || hKey == 0)
        return FALSE;

    char szValue[128];
    DWORD dwType = 0;
    DWORD cbValue = sizeof(szValue);
    LONG lResult = RegQueryValueExA(hKey, "NetCfgInstanceId", NULL, &dwType,
                                    reinterpret_cast<LPBYTE>(szValue), &cbValue);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
    {
        char szMessage[128];
        snprintf(szMessage, sizeof(szMessage),
                 "RegQueryValueEx 'REGSTR_NETCFG_INSTANCEID' failed\n");
        return FALSE;
    }
    // The value need not carry its terminator: end it at the returned count.
    if (cbValue >= sizeof(szValue))
        cbValue = sizeof(szValue) - 1;
    szValue[cbValue] = 0;
    strValue = szValue;
    return TRUE;
}

BOOL DevicePathFor(HDEVINFO hDevInfo, SP_DEVINFO_DATA* pDevInfoData, int nChipType,
                   CString& strPath, CString& strNetCfgInstanceId)
{
    if (OsVersionCode > 6)
    {
        if (!ReadNetCfgInstanceId(hDevInfo, pDevInfoData, strNetCfgInstanceId))
            return FALSE;
        strPath = CString("\\\\.\\") + strNetCfgInstanceId;
        return TRUE;
    }
    if (OsVersionCode == 4 || OsVersionCode == 5)
    {
        strPath = CString("\\\\.\\") + g_ChipFamilyTable[nChipType].pszFamilyName;
        return TRUE;
    }
    return FALSE; // Windows 95, 98 and NT 4 have no driver this program can reach
}

BOOL DeviceOpens(const CString& strPath)
{
    HANDLE hDevice = CreateFileA(strPath, 0, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, 0);
    if (hDevice == INVALID_HANDLE_VALUE)
    {
        char szMessage[128];
        snprintf(szMessage, sizeof(szMessage), "Create file failed: GetLastError returned %u\n",
                 static_cast<unsigned>(GetLastError()));
        return FALSE;
    }
    CloseHandle(hDevice);
    return TRUE;
}

} // namespace

PFN_CHOOSE_ADAPTER g_pfnChooseAdapter = ChooseAdapterByDialog;

BOOL SelectAdapter(AdapterSelection& selection)
{
    GUID guidNet;
    DWORD dwRequired = 0;
    if (!SetupDiClassGuidsFromNameA("Net", &guidNet, 1, &dwRequired) || dwRequired == 0)
        return FALSE;
    HDEVINFO hDevInfo = SetupDiGetClassDevsA(&guidNet, NULL, 0, DIGCF_PRESENT);
    if (hDevInfo == INVALID_HANDLE_VALUE)
        return FALSE;

    CDWordArray candidates;
    SP_DEVINFO_DATA devInfoData;
    for (DWORD dwIndex = 0;; dwIndex++)
    {
        memset(&devInfoData, 0, sizeof(devInfoData));
        devInfoData.cbSize = sizeof(SP_DEVINFO_DATA);
        if (!SetupDiEnumDeviceInfo(hDevInfo, dwIndex, &devInfoData))
            break;

        CString strHardwareId = ReadDeviceProperty(hDevInfo, &devInfoData, SPDRP_HARDWAREID);
        strHardwareId.MakeUpper();
        int nChipType = FindChipType(g_UsbHardwareIdTable, USB_HARDWARE_ID_COUNT, strHardwareId);
        int nPciChipType = FindChipType(g_PciHardwareIdTable, PCI_HARDWARE_ID_COUNT, strHardwareId);
        if (nPciChipType >= 0)
            nChipType = nPciChipType;
        if (nChipType < 0)
            continue;

        CString strPath, strNetCfgInstanceId;
        if (!DevicePathFor(hDevInfo, &devInfoData, nChipType, strPath, strNetCfgInstanceId))
            continue;
        if (DeviceOpens(strPath))
            candidates.Add(dwIndex);
    }

    if (candidates.GetSize() == 0)
    {
        SetupDiDestroyDeviceInfoList(hDevInfo);
        return FALSE;
    }
    DWORD dwChosen = candidates[0];
    if (candidates.GetSize() > 1 && g_pfnChooseAdapter != NULL)
        dwChosen = g_pfnChooseAdapter(hDevInfo, candidates);

    memset(&devInfoData, 0, sizeof(devInfoData));
    devInfoData.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!SetupDiEnumDeviceInfo(hDevInfo, dwChosen, &devInfoData))
    {
        SetupDiDestroyDeviceInfoList(hDevInfo);
        return FALSE;
    }

    CString strHardwareId = ReadDeviceProperty(hDevInfo, &devInfoData, SPDRP_HARDWAREID);
    strHardwareId.MakeUpper();
    CString strName = ReadDeviceProperty(hDevInfo, &devInfoData, SPDRP_FRIENDLYNAME);
    if (strName.IsEmpty())
        strName = ReadDeviceProperty(hDevInfo, &devInfoData, SPDRP_DEVICEDESC);

    BOOL bUsb = strncmp(strHardwareId, g_UsbHardwareIdTable[0].pszHardwareId, 3) == 0;
    int nChipType = bUsb ? FindChipType(g_UsbHardwareIdTable, USB_HARDWARE_ID_COUNT, strHardwareId)
                         : FindChipType(g_PciHardwareIdTable, PCI_HARDWARE_ID_COUNT, strHardwareId);
    if (nChipType < 0)
    {
        // It matched a moment ago; a device that changed its ID in between is not taken.
        SetupDiDestroyDeviceInfoList(hDevInfo);
        return FALSE;
    }

    CString strPath, strNetCfgInstanceId;
    if (!DevicePathFor(hDevInfo, &devInfoData, nChipType, strPath, strNetCfgInstanceId))
    {
        SetupDiDestroyDeviceInfoList(hDevInfo);
        return FALSE;
    }

    // "{class GUID}\NNNN"; without it the driver key would name the class key itself.
    CString strDriver = ReadDeviceProperty(hDevInfo, &devInfoData, SPDRP_DRIVER);
    SetupDiDestroyDeviceInfoList(hDevInfo);
    if (strDriver.IsEmpty())
        return FALSE;

    selection.strName = strName;
    selection.nChipType = nChipType;
    selection.bUsb = bUsb;
    selection.strDevicePath = strPath;
    selection.strNetCfgInstanceId = strNetCfgInstanceId;
    if (OsVersionCode >= 7)
        selection.strDriverKey = CString("System\\CurrentControlSet\\Control\\Class\\") + strDriver;
    else
        selection.strDriverKey =
            CString("System\\CurrentControlSet\\Services\\Class\\") + strDriver;
    return TRUE;
}

void TakeAdapterSelection(const AdapterSelection& selection)
{
    int nChipType = selection.nChipType;
    g_nChipType = nChipType;
    g_bUsbAdapter = selection.bUsb;
    // The 802.11n chips are driven as such from Windows 2000 on.
    g_bHtSupported = OsVersionCode > 6 && (nChipType == 6 || nChipType == 7 || nChipType == 8);
    g_nHtVariant = 0;
    if (OsVersionCode > 6)
    {
        if (nChipType == 6)
            g_nHtVariant = 1;
        else if (nChipType == 7)
            g_nHtVariant = 2;
        else if (nChipType == 8)
            g_nHtVariant = 3;
        g_strNetCfgInstanceId = selection.strNetCfgInstanceId;
    }
    g_strDevicePath = selection.strDevicePath;
    g_strDriverKey = selection.strDriverKey;
}
