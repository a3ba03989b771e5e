#include "accesspoint/settings/TransmitSetting.h"

#include <cstring>

void BuildApHtSetting(DWORD dwTransmitSetting, AP_HT_SETTING& setting)
{
    memset(&setting, 0, sizeof(setting));
    setting.WirelessMode = dwTransmitSetting & 0x0F;
    setting.PhyMode = static_cast<BYTE>((dwTransmitSetting >> 14) & 0x03);
    setting.HtMode = static_cast<BYTE>((dwTransmitSetting >> 16) & 0x01);
    setting.ExtChannel = static_cast<BYTE>((dwTransmitSetting >> 17) & 0x03);
    setting.Mcs = static_cast<BYTE>((dwTransmitSetting >> 4) & 0x7F);
    setting.Bandwidth = static_cast<BYTE>((dwTransmitSetting >> 11) & 0x01);
    setting.Stbc = static_cast<BYTE>((dwTransmitSetting >> 13) & 0x01);
    setting.GuardInterval = static_cast<BYTE>((dwTransmitSetting >> 12) & 0x01);
}

DWORD AssembleTransmitSetting(int nMode, int nMcs, int nBandwidth, int nGuardInterval, int nStbc,
                              int nHtMode, int nExtChannel)
{
    DWORD dwSetting = static_cast<DWORD>(nMode) & 0x0F;
    dwSetting |= (static_cast<DWORD>(nMcs) & 0x7F) << 4;
    dwSetting |= (static_cast<DWORD>(nBandwidth) & 0x01) << 11;
    dwSetting |= (static_cast<DWORD>(nGuardInterval) & 0x01) << 12;
    dwSetting |= (static_cast<DWORD>(nStbc) & 0x01) << 13;
    dwSetting |= 2u << 14;
    dwSetting |= (static_cast<DWORD>(nHtMode) & 0x01) << 16;
    dwSetting |= (static_cast<DWORD>(nExtChannel) & 0x03) << 17;
    return dwSetting;
}
