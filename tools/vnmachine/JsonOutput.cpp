#include "tools/vnmachine/JsonOutput.h"

#include <iostream>

namespace
{

bool g_json = false;

// The words with the tool's own options before the command left out ("wlan --interface G").
Words commandWords(const Words& words)
{
    Words out;
    for (std::size_t i = 0; i < words.size(); ++i)
        if ((words[i] == "--interface" || words[i] == "--device") && i + 1 < words.size())
            ++i;
        else
            out.push_back(words[i]);
    return out;
}

} // namespace

void SetJsonOutput(bool json)
{
    g_json = json;
}

bool JsonOutput()
{
    return g_json;
}

bool JsonApplies(const Words& input)
{
    const Words w = commandWords(input);
    if (w.empty())
        return false;
    const std::string sub = w.size() > 1 ? w[1] : std::string();
    if (w[0] == "ui")
        return sub == "list" || sub == "show";
    if (w[0] == "wlan")
        return w.size() == 1 || sub == "status";
    if (w[0] == "networks" || w[0] == "devices")
        return w.size() == 1 || sub == "list";
    if (w[0] == "log")
        return sub == "all";
    return false;
}

void PrintJson(const nlohmann::json& document)
{
    // Bytes that are not UTF-8 cannot stand in a JSON string: they become U+FFFD.
    std::cout << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

const char* const kJsonHelp =
    "--json (ui list, ui show, wlan status, networks, devices, log all) prints JSON:\n"
    "  ui list      {programs: [{pid, name, windows: [{hwnd, title, class, visible}],\n"
    "               tray: [{uid, tip, icon, window}]}]}\n"
    "  ui show      the window and each control below it: {hwnd, kind, class, id, text,\n"
    "               style, visible, enabled, focused, checked, default, read_only,\n"
    "               rect: {left, top, right, bottom} (screen pixels), children: [...]},\n"
    "               and by kind: edit password_char; combo, list items, selection;\n"
    "               listview columns, rows: [{cells, selected, focused}]; slider,\n"
    "               progress pos, range_min, range_max; a sheet pages, active_page;\n"
    "               menu menu: [{text, id, checked, enabled, separator, items}]\n"
    "  wlan status  {service_running, scan_delay_ms, connect_delay_ms, interfaces: [{guid,\n"
    "               description, state, connection: {ssid, bssid, rssi, quality, profile}}]}\n"
    "  networks     {networks: [{ssid, bssid, channel, frequency_khz, rssi, quality, phy,\n"
    "               bss_type, privacy}]}\n"
    "  devices      {devices: [{index, instance_id, present, bus, chip, description,\n"
    "               net_cfg_instance_id, driver_key}]}\n"
    "  log all      {lines: [{seq, time_ms, log, text}]}\n";
