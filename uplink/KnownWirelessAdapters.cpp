#include "uplink/KnownWirelessAdapters.h"

const char KnownWirelessAdapters[KNOWN_WIRELESS_ADAPTER_SLOTS][KNOWN_WIRELESS_ADAPTER_SLOT_SIZE] = {
    // The adapter the access point is sold with.
    "Tessaryn KWF-9310USB Wireless LAN Adapter",
    // USB adapters of every chip family.
    "Tessaryn KQ1400 USB Wireless LAN Adapter",
    "Tessaryn KQ14U98 USB Wireless LAN Adapter",
    "Tessaryn KQ1600 USB Wireless LAN Adapter",
    "Tessaryn KQ16U98 USB Wireless LAN Adapter",
    "Tessaryn KQ21 USB Wireless LAN Adapter",
    "Tessaryn KQ23 USB Wireless LAN Adapter",
    "Tessaryn KQ3300_A USB Wireless LAN Adapter",
    "Tessaryn KQ3300 USB Wireless LAN Adapter",
    "Tessaryn KQ3400 USB Wireless LAN Adapter",
    // PCI cards of every chip family.
    "Tessaryn KQ1400 Wireless LAN Card",
    "Tessaryn KQ14U98 Wireless LAN Card",
    "Tessaryn KQ1600 Wireless LAN Card",
    "Tessaryn KQ16U98 Wireless LAN Card",
    "Tessaryn KQ21 Wireless LAN Card",
    "Tessaryn KQ23 Wireless LAN Card",
    "Tessaryn KQ3300_A Wireless LAN Card",
    "Tessaryn KQ3300 Wireless LAN Card",
    "Tessaryn KQ3400 Wireless LAN Card",
    // Other packagings of the same chips.
    "Tessaryn KWF-9300USB Wireless LAN Adapter",
    "Tessaryn KWF-9320PCI Wireless LAN Card",
    "Tessaryn KWF-9330CB Wireless CardBus Adapter",
    "Tessaryn KQ3400 Mini PCI Wireless LAN Card",
    "Tessaryn KQ2300 802.11g USB Wireless Adapter",
    "Tessaryn KQ3400 802.11n USB Wireless Adapter",
};

int FindKnownWirelessAdapter(const CString& strLine)
{
    for (int i = 0; i < KNOWN_WIRELESS_ADAPTER_SLOTS; i++)
    {
        if (KnownWirelessAdapters[i][0] == '\0')
            continue;
        if (strLine.Find(KnownWirelessAdapters[i]) >= 0)
            return i;
    }
    return -1;
}
