#include "machine/wlan/StateFile.h"

#include "machine/FieldLines.h"
#include "machine/FileStore.h"
#include "machine/ParsedFile.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace machine::wlan
{
namespace
{

constexpr std::size_t kMaxPhys = 64;

// A line of one value of the service state.
template <class T> Field<ServiceState> ValueField(std::string_view key, T ServiceState::*member)
{
    return MakeField<ServiceState, T>(
        key, [member](const ServiceState& s, auto emit) { emit(s.*member); },
        [](auto& io, auto& value) { io.number("the value", value); },
        [member](ServiceState& s, T value) { s.*member = value; });
}

// A line for each entry of a map of the state, keyed by a text.
template <class V, class Words>
Field<ServiceState> MapField(std::string_view key, std::map<std::string, V> ServiceState::*member,
                             Words words)
{
    return MakeField<ServiceState, std::string, V>(
        key,
        [member](const ServiceState& s, auto emit)
        {
            for (const auto& [k, v] : s.*member)
                emit(k, v);
        },
        words,
        [member](ServiceState& s, std::string k, V v)
        { (s.*member)[std::move(k)] = std::move(v); });
}

// A line for an interface's value that may be missing.
template <class V, class Words>
Field<InterfaceState> OptionalField(std::string_view key, std::optional<V> InterfaceState::*member,
                                    Words words)
{
    return MakeField<InterfaceState, V>(
        key,
        [member](const InterfaceState& i, auto emit)
        {
            if (i.*member)
                emit(*(i.*member));
        },
        words, [member](InterfaceState& i, V v) { i.*member = std::move(v); });
}

template <class Io, class C> void ConnectionWords(Io& io, C& c)
{
    io.number("the mode", c.mode);
    io.text("the profile name", c.profileName);
    io.text("the SSID", c.ssid);
    io.number("the BSS type", c.bssType);
    io.bssid("the BSSID", c.bssid);
    io.number("the PHY type", c.phyType);
    io.number("the PHY index", c.phyIndex);
    io.number("the quality", c.quality);
    io.number("the rate", c.rateKbps);
    io.number("the RSSI", c.rssi);
    io.number("the security flag", c.security.enabled);
    io.number("the 802.1X flag", c.security.oneX);
    io.number("the authentication", c.security.auth);
    io.number("the cipher", c.security.cipher);
}

// An interface's lines, each led by its key and the interface's GUID; written together, in this
// order, interface by interface.
const std::vector<Field<InterfaceState>>& InterfaceFields()
{
    static const std::vector<Field<InterfaceState>> fields = {
        MakeField<InterfaceState, bool, std::uint64_t, std::vector<std::uint32_t>>(
            "iface",
            [](const InterfaceState& i, auto emit) { emit(i.wrongWepKey, i.icvSince, i.phyTypes); },
            [](auto& io, auto& wrongWepKey, auto& icvSince, auto& phyTypes)
            {
                io.number("the wrong-WEP-key flag", wrongWepKey);
                io.number("the ICV error start", icvSince);
                io.literal("phys");
                io.numbers("a PHY type", phyTypes);
            },
            [](InterfaceState& i, bool wrongWepKey, std::uint64_t icvSince,
               std::vector<std::uint32_t> phyTypes)
            {
                i.wrongWepKey = wrongWepKey;
                i.icvSince = icvSince;
                i.phyTypes = std::move(phyTypes);
            }),
        MakeField<InterfaceState, std::size_t, PhyRadio>(
            "radio",
            [](const InterfaceState& i, auto emit)
            {
                for (std::size_t k = 0; k < i.radio.size(); ++k)
                    emit(k, i.radio[k]);
            },
            [](auto& io, auto& index, auto& radio)
            {
                io.number("the PHY index", index);
                io.check(index < kMaxPhys, "the PHY index is above 63");
                io.number("the software state", radio.software);
                io.number("the hardware state", radio.hardware);
            },
            [](InterfaceState& i, std::size_t index, PhyRadio radio)
            {
                if (i.radio.size() <= index)
                    i.radio.resize(index + 1);
                i.radio[index] = radio;
            }),
        OptionalField("connection", &InterfaceState::connection,
                      [](auto& io, auto& c) { ConnectionWords(io, c); }),
        OptionalField("pending", &InterfaceState::pending,
                      [](auto& io, auto& p)
                      {
                          io.number("the due time", p.due);
                          io.number("the success flag", p.succeeds);
                          io.number("the wrong-WEP-key flag", p.wrongWepKey);
                          ConnectionWords(io, p.connection);
                      }),
    };
    return fields;
}

// The file's lines, in the order they are written. The entry without a key stands for the
// interfaces' lines (InterfaceFields).
const std::vector<Field<ServiceState>>& StateFields()
{
    static const std::vector<Field<ServiceState>> fields = {
        ValueField("running", &ServiceState::running),
        ValueField("scan-delay", &ServiceState::scanDelay),
        ValueField("connect-delay", &ServiceState::connectDelay),
        ValueField("next-seq", &ServiceState::nextSeq),
        MakeField<ServiceState, std::vector<std::string>>(
            "present",
            [](const ServiceState& s, auto emit)
            {
                if (s.presentKnown)
                    emit(s.present);
            },
            [](auto& io, auto& guids) { io.names("an interface", guids); },
            [](ServiceState& s, std::vector<std::string> guids)
            {
                s.presentKnown = true;
                s.present = std::move(guids);
            }),
        MapField("fault", &ServiceState::faults,
                 [](auto& io, auto& call, auto& fault)
                 {
                     io.text("the call", call);
                     io.number("the error", fault.error);
                     io.number("the count", fault.times);
                 }),
        MapField("secret", &ServiceState::secrets,
                 [](auto& io, auto& network, auto& key)
                 {
                     io.text("the network", network);
                     io.text("the key", key);
                 }),
        {{},
         [](const ServiceState& s, std::string_view, std::string& out)
         {
             for (const auto& [guid, i] : s.interfaces)
                 for (const auto& field : InterfaceFields())
                     field.write(i, guid.empty() ? kEmptyWord : std::string_view(guid), out);
         },
         nullptr},
        MakeField<ServiceState, std::string, bool, std::string, std::string>(
            "profile",
            [](const ServiceState& s, auto emit)
            {
                for (const auto& [key, xml] : s.profiles)
                    emit(std::get<0>(key), std::get<1>(key), std::get<2>(key), xml);
            },
            [](auto& io, auto& guid, auto& user, auto& name, auto& xml)
            {
                io.name("the interface", guid);
                io.number("the per-user flag", user);
                io.text("the name", name);
                io.text("the document", xml);
            },
            [](ServiceState& s, std::string guid, bool user, std::string name, std::string xml) {
                s.profiles[{std::move(guid), user, std::move(name)}] = std::move(xml);
            }),
        MakeField<ServiceState, std::string, bool, std::string>(
            "credentials",
            [](const ServiceState& s, auto emit)
            {
                for (const auto& key : s.credentials)
                    emit(std::get<0>(key), std::get<1>(key), std::get<2>(key));
            },
            [](auto& io, auto& guid, auto& user, auto& name)
            {
                io.name("the interface", guid);
                io.number("the per-user flag", user);
                io.text("the name", name);
            },
            [](ServiceState& s, std::string guid, bool user, std::string name) {
                s.credentials.insert({std::move(guid), user, std::move(name)});
            }),
        MakeField<ServiceState, Notification>(
            "note",
            [](const ServiceState& s, auto emit)
            {
                for (const auto& n : s.journal)
                    emit(n);
            },
            [](auto& io, auto& n)
            {
                io.number("the sequence number", n.seq);
                io.number("the due time", n.due);
                io.number("the source", n.source);
                io.number("the code", n.code);
                io.name("the interface", n.guid);
                io.bytes("the data", n.data);
            },
            [](ServiceState& s, Notification n) { s.journal.push_back(std::move(n)); }),
    };
    return fields;
}

// Reads one line into the state; its problem, or empty when it read (or was blank).
std::string ReadLine(std::string_view line, ServiceState& state)
{
    auto split = SplitKey(line);
    if (!split)
        return {};
    const auto [key, rest] = *split;
    LineReader in(key, rest);
    if (const auto* field = FindField(StateFields(), key))
        field->read(in, state);
    else if (const auto* field = FindField(InterfaceFields(), key))
    {
        std::string guid;
        in.name("the interface", guid);
        if (!in.ok())
            return in.problem();
        auto [it, added] = state.interfaces.try_emplace(guid);
        field->read(in, it->second);
        if (!in.ok() && added)
            state.interfaces.erase(it);
    }
    else
        return "unknown key \"" + std::string(key) + "\"";
    return in.problem();
}

} // namespace

std::string FormatState(const ServiceState& state)
{
    return FormatFields(StateFields(), state);
}

StateFileContents ParseState(std::string_view text)
{
    StateFileContents out;
    out.problems =
        ReadEachLine(text, [&](std::string_view line) { return ReadLine(line, out.state); });
    return out;
}

std::vector<std::string_view> StateFileKeys()
{
    std::vector<std::string_view> keys;
    for (const auto& field : StateFields())
        if (!field.key.empty())
            keys.push_back(field.key);
    for (const auto& field : InterfaceFields())
        keys.push_back(field.key);
    return keys;
}

std::filesystem::path StateFilePath(const Machine& machine)
{
    return ServiceFolder(machine) / "state.txt";
}

std::string DescribeProblem(const std::filesystem::path& file, const StateFileProblem& problem)
{
    return DescribeLineProblem("state file", file, problem);
}

StateFileContents LoadState(const Machine& machine)
{
    const auto path = StateFilePath(machine);
    static ParsedFile<StateFileContents> kept;
    int error = 0;
    auto contents =
        kept.load(path,
                  [&](const std::filesystem::path& file) -> std::optional<StateFileContents>
                  {
                      auto text = ReadWholeFile(file);
                      error = errno;
                      if (!text)
                          return std::nullopt;
                      return ParseState(*text);
                  });
    if (contents)
        return *contents;
    StateFileContents out;
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || ec)
    {
        out.readable = false;
        out.problems.push_back({0, std::string("cannot be read: ") + std::strerror(error)});
    }
    return out;
}

bool SaveState(const Machine& machine, const ServiceState& state, std::string& error)
{
    const auto path = StateFilePath(machine);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec)
    {
        error = "its folder cannot be made: " + ec.message();
        return false;
    }
    errno = 0;
    if (!WriteFileAtomically(path, FormatState(state)))
    {
        error = "cannot be written";
        if (errno != 0)
            error += std::string(": ") + std::strerror(errno);
        return false;
    }
    return true;
}

std::string StateFileStamp(const Machine& machine)
{
    std::error_code error;
    const auto path = StateFilePath(machine);
    const auto time = std::filesystem::last_write_time(path, error);
    if (error)
        return {};
    const auto size = std::filesystem::file_size(path, error);
    return std::to_string(time.time_since_epoch().count()) + ":" + std::to_string(size);
}

} // namespace machine::wlan
