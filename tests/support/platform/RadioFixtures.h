#pragma once
// A fresh machine with the default wireless adapter and a chosen radio environment, and a
// monitor window that records what is posted to it, for tests of the client's WLAN objects.

#include "machine/Machine.h"
#include "machine/radio/Network.h"
#include "platform/Windows.h"
#include "tests/support/TempMachine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support
{

// An infrastructure network on a channel of the table, with the capability's privacy bit as
// asked and exactly the elements given (none: a beacon without elements).
machine::radio::Network RadioNetwork(const std::string& ssid, std::uint8_t bssidLast,
                                     std::uint32_t channel, std::int32_t rssi,
                                     const std::vector<std::uint8_t>& elements = {},
                                     bool privacy = false);

// A temporary machine with the default adapter installed, on the manual clock. Without a list
// the machine keeps its default networks.
class RadioMachine
{
public:
    RadioMachine();
    explicit RadioMachine(const std::vector<machine::radio::Network>& networks);
    RadioMachine(const RadioMachine&) = delete;
    RadioMachine& operator=(const RadioMachine&) = delete;

    machine::Machine& machine() const { return m_temp.machine(); }
    // The adapter's interface: its GUID text and its description (the friendly name).
    const std::string& guid() const { return m_guid; }
    const std::string& description() const { return m_description; }
    GUID interfaceGuid() const;

    void setNetworks(const std::vector<machine::radio::Network>& networks) const;

private:
    TempMachine m_temp;
    std::string m_guid;
    std::string m_description;
};

struct PostedMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const PostedMessage&) const = default;
};

// A hidden window of the test thread that records every message from WM_USER on (one recorder
// at a time). Posts from other threads arrive when the test thread pumps (waitFor, pump).
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    HWND hwnd() const { return m_hwnd; }
    // Pumps this thread's queue until `count` messages are recorded in all, five seconds of
    // real time at most. True when they are.
    bool waitFor(std::size_t count);
    // Pumps what is queued now.
    void pump();
    const std::vector<PostedMessage>& messages() const { return m_messages; }
    // The messages recorded, by number only.
    std::vector<UINT> numbers() const;
    void clear() { m_messages.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = 0;
    std::vector<PostedMessage> m_messages;
};

} // namespace testing_support
