#include "machine/wlan/StateFile.h"

#include "machine/FileStore.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <functional>
#include <optional>
#include <system_error>
#include <type_traits>

namespace machine::wlan
{
namespace
{

constexpr std::string_view kEmpty = "-"; // an empty text or name
constexpr std::size_t kMaxPhys = 64;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string Hex(const std::string& text)
{
    return radio::ToHex(std::vector<std::uint8_t>(text.begin(), text.end()));
}

// Writes one line: its key, the words that place it (an interface's GUID), then each value.
class LineWriter
{
public:
    LineWriter(std::string& out, std::string_view key, std::string_view lead) : m_out(out)
    {
        m_out += key;
        if (!lead.empty())
            word(lead);
    }
    void end() { m_out += '\n'; }

    template <class T> void number(const char*, const T& value)
    {
        if constexpr (std::is_same_v<T, bool>)
            word(value ? "1" : "0");
        else
            word(std::to_string(value));
    }
    template <class T> void numbers(const char* what, const std::vector<T>& values)
    {
        for (const T& v : values)
            number(what, v);
    }
    void text(const char*, const std::string& value) { word(value.empty() ? kEmpty : Hex(value)); }
    void bytes(const char*, const std::vector<std::uint8_t>& value)
    {
        word(value.empty() ? kEmpty : radio::ToHex(value));
    }
    void name(const char*, const std::string& value) { word(value.empty() ? kEmpty : value); }
    void names(const char* what, const std::vector<std::string>& values)
    {
        for (const auto& v : values)
            name(what, v);
    }
    void bssid(const char*, const radio::Bssid& value) { word(radio::FormatBssid(value)); }
    void literal(const char* expected) { word(expected); }
    void check(bool, const char*) {}

private:
    void word(std::string_view w)
    {
        m_out += ' ';
        m_out += w;
    }

    std::string& m_out;
};

// Reads one line's values in the order LineWriter writes them. The first value that does not
// read is the line's problem; the reads after it do nothing.
class LineReader
{
public:
    LineReader(std::string_view key, std::string_view rest) : m_key(key), m_rest(rest) {}

    template <class T> void number(const char* what, T& value)
    {
        auto w = next(what);
        if (!w)
            return;
        if constexpr (std::is_same_v<T, bool>)
        {
            if (*w == "0" || *w == "1")
                value = *w == "1";
            else
                fail(what, *w, "0 or 1");
        }
        else
        {
            T v{};
            auto [end, error] = std::from_chars(w->data(), w->data() + w->size(), v);
            if (error != std::errc() || end != w->data() + w->size())
                return fail(what, *w, "a number in range");
            value = v;
        }
    }
    template <class T> void numbers(const char* what, std::vector<T>& values)
    {
        while (ok() && more())
        {
            T v{};
            number(what, v);
            values.push_back(v);
        }
    }
    void text(const char* what, std::string& value)
    {
        auto w = next(what);
        if (!w || *w == kEmpty)
            return;
        auto bytes = radio::FromHex(std::string(*w));
        if (!bytes)
            return fail(what, *w, "hex");
        value.assign(bytes->begin(), bytes->end());
    }
    void bytes(const char* what, std::vector<std::uint8_t>& value)
    {
        std::string t;
        text(what, t);
        value.assign(t.begin(), t.end());
    }
    void name(const char* what, std::string& value)
    {
        if (auto w = next(what); w && *w != kEmpty)
            value = std::string(*w);
    }
    void names(const char* what, std::vector<std::string>& values)
    {
        while (ok() && more())
        {
            std::string v;
            name(what, v);
            values.push_back(v);
        }
    }
    void bssid(const char* what, radio::Bssid& value)
    {
        auto w = next(what);
        if (!w)
            return;
        auto b = radio::ParseBssid(std::string(*w));
        if (!b)
            return fail(what, *w, "a BSSID");
        value = *b;
    }
    void literal(const char* expected)
    {
        auto w = next(expected);
        if (w && *w != expected)
            fail("the word", *w, std::string("\"") + expected + "\"");
    }
    void check(bool holds, const char* problem)
    {
        if (ok() && !holds)
            m_problem = std::string(m_key) + ": " + problem;
    }

    bool ok() const { return m_problem.empty(); }
    // Whether every value was read and nothing is left over.
    bool finish()
    {
        if (ok() && more())
        {
            auto w = next("");
            m_problem = std::string(m_key) + ": \"" + std::string(*w) + "\" after the last value";
        }
        return ok();
    }
    const std::string& problem() const { return m_problem; }

private:
    bool more()
    {
        while (!m_rest.empty() && IsBlank(m_rest.front()))
            m_rest.remove_prefix(1);
        return !m_rest.empty();
    }
    std::optional<std::string_view> next(const char* what)
    {
        if (!ok())
            return std::nullopt;
        if (!more())
        {
            m_problem = std::string(m_key) + ": " + what + " is missing";
            return std::nullopt;
        }
        std::size_t n = 0;
        while (n < m_rest.size() && !IsBlank(m_rest[n]))
            ++n;
        std::string_view w = m_rest.substr(0, n);
        m_rest.remove_prefix(n);
        return w;
    }
    void fail(const char* what, std::string_view word, const std::string& expected)
    {
        m_problem =
            std::string(m_key) + ": " + what + " \"" + std::string(word) + "\" is not " + expected;
    }

    std::string_view m_key;
    std::string_view m_rest;
    std::string m_problem;
};

// A field of the file: its key, how its lines are written and how one of them is read. `Scope` is
// what its lines describe: the service state, or one interface's state.
template <class Scope> struct Field
{
    std::string_view key;
    // Appends every line of the field; `lead` (the interface's GUID) goes before the values.
    std::function<void(const Scope&, std::string_view lead, std::string& out)> write;
    // Reads one line's values into the scope, when they all read.
    std::function<void(LineReader&, Scope&)> read;
};

// A field whose lines each hold one entry made of Parts. `each(scope, emit)` calls emit(parts...)
// for every entry to write; `words(io, parts...)` reads or writes an entry's values in order, the
// same code for both; `store(scope, parts...)` keeps an entry that was read whole.
template <class Scope, class... Parts, class Each, class Words, class Store>
Field<Scope> MakeField(std::string_view key, Each each, Words words, Store store)
{
    auto write = [key, each, words](const Scope& scope, std::string_view lead, std::string& out)
    {
        each(scope,
             [&](const auto&... parts)
             {
                 LineWriter line(out, key, lead);
                 words(line, parts...);
                 line.end();
             });
    };
    auto read = [words, store](LineReader& in, Scope& scope)
    {
        std::tuple<Parts...> parts{};
        std::apply([&](auto&... p) { words(in, p...); }, parts);
        if (in.finish())
            std::apply([&](auto&... p) { store(scope, std::move(p)...); }, parts);
    };
    return {key, write, read};
}

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
                     field.write(i, guid.empty() ? kEmpty : std::string_view(guid), out);
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

template <class Scope>
const Field<Scope>* FindField(const std::vector<Field<Scope>>& fields, std::string_view key)
{
    for (const auto& field : fields)
        if (!field.key.empty() && field.key == key)
            return &field;
    return nullptr;
}

// Reads one line into the state; its problem, or empty when it read (or was blank).
std::string ReadLine(std::string_view line, ServiceState& state)
{
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    if (line.empty())
        return {};
    std::size_t n = 0;
    while (n < line.size() && !IsBlank(line[n]))
        ++n;
    const std::string_view key = line.substr(0, n);
    LineReader in(key, line.substr(n));
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
    std::string out;
    for (const auto& field : StateFields())
        field.write(state, {}, out);
    return out;
}

StateFileContents ParseState(std::string_view text)
{
    StateFileContents out;
    std::size_t number = 0;
    for (std::size_t start = 0; start < text.size();)
    {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++number;
        if (std::string problem = ReadLine(text.substr(start, end - start), out.state);
            !problem.empty())
            out.problems.push_back({number, std::move(problem)});
        start = end + 1;
    }
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
    std::string where = "state file " + file.string();
    if (problem.line != 0)
        where += ", line " + std::to_string(problem.line);
    return where + ": " + problem.what;
}

StateFileContents LoadState(const Machine& machine)
{
    const auto path = StateFilePath(machine);
    if (auto text = ReadWholeFile(path))
        return ParseState(*text);
    const int error = errno;
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
