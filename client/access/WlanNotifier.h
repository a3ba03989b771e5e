#pragma once
// Turns the WLAN service's notifications that the monitor window cares about into its private
// messages (PrivateMessages.h). The callback runs on a thread of the service: it only compares
// the interface and posts.

#include "platform/Windows.h"
#include "platform/wlan/WlanApi.h"

class WlanNotifier
{
public:
    // Registers for ACM and MSM notifications on the handle, ignoring duplicates, with this
    // object as the context. The owner unregisters (source NONE) before deleting it.
    WlanNotifier(HANDLE* phClient, const GUID* pInterfaceGuid, HWND hOwner);
    ~WlanNotifier();
    WlanNotifier(const WlanNotifier&) = delete;
    WlanNotifier& operator=(const WlanNotifier&) = delete;

    // The message a notification stands for, 0 for none. Notifications of another interface
    // count only for interface arrival.
    UINT MessageFor(const WLAN_NOTIFICATION_DATA* pData) const;

    static void OnNotification(PWLAN_NOTIFICATION_DATA pData, PVOID pContext);

private:
    HANDLE* m_phClient;
    const GUID* m_pInterfaceGuid;
    GUID m_InterfaceGuid;
    HWND m_hOwner;
};
