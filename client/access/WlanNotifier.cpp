#include "client/access/WlanNotifier.h"

#include "client/access/PrivateMessages.h"

#include <cstring>

WlanNotifier::WlanNotifier(HANDLE* phClient, const GUID* pInterfaceGuid, HWND hOwner)
    : m_phClient(phClient), m_pInterfaceGuid(pInterfaceGuid), m_hOwner(hOwner)
{
    memset(&m_InterfaceGuid, 0, sizeof(m_InterfaceGuid));
    if (pInterfaceGuid != NULL)
        memcpy(&m_InterfaceGuid, pInterfaceGuid, sizeof(m_InterfaceGuid));
    DWORD dwPrevious = 0;
    WlanRegisterNotification(*m_phClient,
                             WLAN_NOTIFICATION_SOURCE_ACM | WLAN_NOTIFICATION_SOURCE_MSM, TRUE,
                             &WlanNotifier::OnNotification, this, NULL, &dwPrevious);
}

WlanNotifier::~WlanNotifier() {}

UINT WlanNotifier::MessageFor(const WLAN_NOTIFICATION_DATA* pData) const
{
    if (pData == NULL)
        return 0;
    if (pData->NotificationSource == WLAN_NOTIFICATION_SOURCE_ACM &&
        pData->NotificationCode == wlan_notification_acm_interface_arrival)
        return WM_WLAN_INTERFACE_ARRIVAL;
    if (memcmp(&pData->InterfaceGuid, &m_InterfaceGuid, sizeof(GUID)) != 0)
        return 0;

    if (pData->NotificationSource == WLAN_NOTIFICATION_SOURCE_ACM)
    {
        switch (pData->NotificationCode)
        {
        case wlan_notification_acm_scan_complete:
            return WM_SCAN_COMPLETE;
        case wlan_notification_acm_scan_fail:
            return WM_SCAN_FAILED;
        case wlan_notification_acm_connection_complete:
            return WM_WLAN_CONNECTED;
        case wlan_notification_acm_disconnected:
            return WM_WLAN_DISCONNECTED;
        default:
            return 0;
        }
    }
    if (pData->NotificationSource == WLAN_NOTIFICATION_SOURCE_MSM)
    {
        if (pData->NotificationCode == wlan_notification_msm_roaming_end)
            return WM_WLAN_ROAMED;
        if (pData->NotificationCode == wlan_notification_msm_radio_state_change)
        {
            // The PHY record comes with the notification; without it nothing can be told.
            if (pData->pData == NULL || pData->dwDataSize < sizeof(WLAN_PHY_RADIO_STATE))
                return 0;
            WLAN_PHY_RADIO_STATE state;
            memcpy(&state, pData->pData, sizeof(state));
            if (state.dot11SoftwareRadioState == dot11_radio_state_on)
                return WM_RADIO_ON;
            if (state.dot11SoftwareRadioState == dot11_radio_state_off)
                return WM_RADIO_OFF;
        }
    }
    return 0;
}

void WlanNotifier::OnNotification(PWLAN_NOTIFICATION_DATA pData, PVOID pContext)
{
    WlanNotifier* pThis = static_cast<WlanNotifier*>(pContext);
    if (pThis == NULL)
        return;
    UINT nMessage = pThis->MessageFor(pData);
    if (nMessage != 0)
        PostMessageA(pThis->m_hOwner, nMessage, 0, 0);
}
