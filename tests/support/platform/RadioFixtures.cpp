#include "tests/support/platform/RadioFixtures.h"

#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/radio/RadioStore.h"
#include "platform/wlan/internal/WlanClient.h"

#include <chrono>
#include <stdexcept>
#include <thread>

namespace testing_support
{
namespace
{

MessageRecorder* g_pRecorder = nullptr;

} // namespace

machine::radio::Network RadioNetwork(const std::string& ssid, std::uint8_t bssidLast,
                                     std::uint32_t channel, std::int32_t rssi,
                                     const std::vector<std::uint8_t>& elements, bool privacy)
{
    machine::radio::Network n;
    n.ssid = ssid;
    n.bssid = {0x02, 0x54, 0x59, 0x00, 0x01, bssidLast};
    n.channel = channel;
    n.frequencyKhz = machine::radio::ChannelFrequencyKhz(channel).value_or(0);
    n.rssi = rssi;
    n.linkQuality = machine::radio::QualityFromRssi(rssi);
    n.capability = static_cast<std::uint16_t>(machine::radio::kCapEss |
                                              (privacy ? machine::radio::kCapPrivacy : 0));
    n.elements = elements;
    return n;
}

RadioMachine::RadioMachine()
{
    platform::UseManualClock(1000);
    machine::devices::NetDevice adapter = machine::devices::DefaultAdapter();
    bool installed = false;
    for (const machine::devices::NetDevice& d : machine::devices::ListDevices(machine()))
        if (d.netCfgInstanceId == adapter.netCfgInstanceId)
        {
            adapter = d;
            installed = true;
        }
    if (!installed)
        adapter = machine::devices::InstallDevice(machine(), adapter);
    m_guid = adapter.netCfgInstanceId;
    m_description = adapter.friendlyName.empty() ? adapter.deviceDesc : adapter.friendlyName;
}

RadioMachine::RadioMachine(const std::vector<machine::radio::Network>& networks) : RadioMachine()
{
    setNetworks(networks);
}

GUID RadioMachine::interfaceGuid() const
{
    return platform::wlan::InterfaceGuid(m_guid);
}

void RadioMachine::setNetworks(const std::vector<machine::radio::Network>& networks) const
{
    if (!machine::radio::SaveNetworks(machine(), networks))
        throw std::runtime_error("networks not saved");
}

MessageRecorder::MessageRecorder()
{
    g_pRecorder = this;
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = "RadioTestMonitor";
    RegisterClassA(&wc);
    m_hwnd =
        CreateWindowExA(0, "RadioTestMonitor", "monitor", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, nullptr);
}

MessageRecorder::~MessageRecorder()
{
    // What is still queued for the window goes with it, not to a later window that is given
    // the same handle.
    pump();
    DestroyWindow(m_hwnd);
    g_pRecorder = nullptr;
}

LRESULT CALLBACK MessageRecorder::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER && g_pRecorder != nullptr && hwnd == g_pRecorder->m_hwnd)
        g_pRecorder->m_messages.push_back({message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void MessageRecorder::pump()
{
    MSG msg;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

bool MessageRecorder::waitFor(std::size_t count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    pump();
    while (m_messages.size() < count && std::chrono::steady_clock::now() < deadline)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        pump();
    }
    return m_messages.size() >= count;
}

std::vector<UINT> MessageRecorder::numbers() const
{
    std::vector<UINT> out;
    for (const PostedMessage& m : m_messages)
        out.push_back(m.message);
    return out;
}

} // namespace testing_support
