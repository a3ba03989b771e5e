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
        return w.size() == 1 || sub == "status" || sub == "log";
    if (w[0] == "networks" || w[0] == "devices")
        return w.size() == 1 || sub == "list";
    if (w[0] == "log")
        return true;
    if (w[0] == "connections" || w[0] == "services")
        return w.size() == 1 || sub == "list" || sub == "log";
    if (w[0] == "sharing")
        return w.size() == 1 || sub == "show" || sub == "log";
    if (w[0] == "stations")
        return w.size() == 1 || sub == "list";
    if (w[0] == "system")
        return w.size() == 1 || sub == "show";
    if (w[0] == "bridge" || w[0] == "programs")
        return sub == "log";
    if (w[0] == "driver")
        return sub == "log" || sub == "wmi-log";
    return false;
}

void PrintJson(const nlohmann::json& document)
{
    // Bytes that are not UTF-8 cannot stand in a JSON string: they become U+FFFD.
    std::cout << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

nlohmann::json JournalLineJson(const machine::JournalLine& line)
{
    return {{"seq", line.seq}, {"time_ms", line.time_ms}, {"log", line.log}, {"text", line.text}};
}

std::string JournalLineJsonText(const machine::JournalLine& line)
{
    return JournalLineJson(line).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void PrintLogJson(const machine::Machine& machine, const std::vector<std::filesystem::path>& logs)
{
    machine::JournalFilter filter;
    for (const auto& log : logs)
        filter.logs.push_back(machine::JournalLogName(machine, log));
    nlohmann::json lines = nlohmann::json::array();
    for (const auto& line : machine::ReadJournal(machine, filter))
        lines.push_back(JournalLineJson(line));
    PrintJson({{"lines", lines}});
}

const char* const kJsonHelp =
    "--json (ui list, ui show, wlan status, networks, devices, connections, services,\n"
    "sharing, stations, system and the logs) prints JSON:\n"
    "  ui list      {programs: [{pid, name, windows: [{hwnd, title, class, visible}],\n"
    "               tray: [{uid, tip, icon, window}]}]}\n"
    "  ui show      the window and each control below it: {hwnd, kind, class, id, text,\n"
    "               style, visible, enabled, focused, checked, default, read_only,\n"
    "               rect: {left, top, right, bottom} (screen pixels), children: [...]},\n"
    "               icon: {id, name}, bitmap: {id, name} when it shows one; and by kind:\n"
    "               edit password_char; combo, list items, selection; listview columns,\n"
    "               rows: [{cells, selected, focused, image: {index, id, name}}]; slider,\n"
    "               progress pos, range_min, range_max; a sheet pages, active_page;\n"
    "               menu menu: [{text, id, checked, enabled, separator, items}]\n"
    "  wlan status  {service_running, scan_delay_ms, connect_delay_ms, interfaces: [{guid,\n"
    "               description, state, connection: {ssid, bssid, rssi, quality, profile}}]}\n"
    "  networks     {networks: [{ssid, bssid, channel, frequency_khz, rssi, quality, phy,\n"
    "               bss_type, privacy}]}\n"
    "  devices      {devices: [{index, instance_id, present, bus, chip, description,\n"
    "               net_cfg_instance_id, driver_key}]}\n"
    "  connections  {connections: [{name, type, connected, sharing, description, guid, mac,\n"
    "               ip, mask, gateway, dhcp}]}\n"
    "  services     {service_manager, services: [{name, present, state, start_type}]}\n"
    "  sharing      {connections: [{name, sharing}]}\n"
    "  stations     {access_point: {running, ssid}, stations: [{mac, joined, aid, key,\n"
    "               wep_index, power_save}]}\n"
    "  system       {version: {major, minor, build, service_pack}, product_type, language,\n"
    "               administrator, wow64, user}\n"
    "  log all      {lines: [{seq, time_ms, log, text}]}: seq numbers the lines of every log\n"
    "               in one order, time_ms is the machine clock, log the log's path in the\n"
    "               machine; with --follow one {seq, time_ms, log, text} a line as they come\n"
    "  the logs     (log, log programs, wlan log, driver log, services log, sharing log, ...)\n"
    "               {lines: [{seq, time_ms, log, text}]}, the lines of that log alone\n";
