// The machine tool's command-line conventions over its commands: usage errors name their
// problem (exit 2), failures name what failed (exit 1), --machine stands anywhere, numbers are
// read strictly, and only init and program starts make a machine.

#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{

using testing_support::Joined;
using testing_support::RunVnmachineApart;
using testing_support::ToolRun;

// The Orchard AES network, with a key the network does not accept.
const char* const kWrongKeyProfile =
    "<?xml version=\"1.0\"?>\n"
    "<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\"><name>Wrong</name>"
    "<SSIDConfig><SSID><name>Orchard AES</name></SSID></SSIDConfig>"
    "<connectionType>ESS</connectionType><MSM><security><authEncryption>"
    "<authentication>WPA2PSK</authentication><encryption>AES</encryption>"
    "<useOneX>false</useOneX></authEncryption><sharedKey><keyType>passPhrase</keyType>"
    "<protected>false</protected><keyMaterial>not-the-key</keyMaterial></sharedKey>"
    "</security></MSM></WLANProfile>";

TEST(VnmachineConventions, StatusAndMessageOfEachKindOfMistake)
{
    testing_support::TempMachine m;
    const struct
    {
        std::vector<std::string> args;
        int status;
        std::string err; // what standard error starts with or holds
    } cases[] = {
        {{"init", "extra"}, 2, "vnmachine init: unexpected argument 'extra'"},
        {{"ui", "row", "W", "1002", "abc"}, 2, "vnmachine ui row: N: 'abc' is not a number"},
        {{"ui", "row", "W", "1002", " 5"}, 2, "' 5' is not a number"},
        {{"ui", "row", "W", "1002", "5", "--triple"}, 2, "unexpected argument '--triple'"},
        {{"ui", "slide", "W", "1002", "1e3"}, 2, "POS: '1e3' is not a number"},
        {{"ui", "wait", "W", "abc"}, 2, "vnmachine ui wait: SECONDS: 'abc'"},
        {{"ui", "tray", "TessarynUI", "middle"}, 2, "'middle' is no click"},
        {{"ui", "wait", "rows", "W", "1002", "many"}, 2, "N: 'many' is not a number"},
        {{"ui", "wait", "tray", "Nobody", "--timeout"}, 2, "--timeout needs SECONDS"},
        {{"ui", "wait", "tray", "Nobody", "--timeout", "0"}, 1, "no tray icon of 'Nobody' within"},
        {{"ui", "wait", "text", "W", "1086", "Up", "--timeout", "0"}, 1, "the text of '1086'"},
        {{"ui", "row", "W", "1002", "5"}, 1, "vnmachine: no window 'W'"},
        {{"networks", "set", "Harbor Guest", "rssi", "abc"}, 2, "bad rssi 'abc'"},
        {{"networks", "set", "Nobody", "rssi", "-50"}, 1, "vnmachine: no network 'Nobody'"},
        {{"programs", "record-only", "UplinkPick", "maybe"}, 2, "bad value 'maybe'"},
        {{"programs", "record-only", "NicReport.bat", "on"}, 1, "record-only applies to"},
        {{"wlan", "connect"}, 2, "missing SSID"},
        {{"wlan", "connect", "Nope"}, 1, "vnmachine: no network \"Nope\" in range"},
        {{"wlan", "connect", "--profile", "Nobody"}, 1, "the connect failed"},
        {{"wlan", "connect", "Harbor Guest", "--timeout", "soon"}, 2, "--timeout SECONDS"},
        {{"--machine"}, 2, "vnmachine: --machine needs a directory"},
    };
    for (const auto& c : cases)
    {
        const ToolRun r = RunVnmachineApart(m.root(), c.args);
        EXPECT_EQ(r.status, c.status) << Joined(c.args) << "\n" << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << Joined(c.args) << "\n" << r.err;
        if (c.status == 2 && !c.args.empty() && c.args[0] != "--machine")
        {
            EXPECT_NE(r.err.find("usage: vnmachine"), std::string::npos) << Joined(c.args);
        }
    }
}

TEST(VnmachineConventions, TheMachineOptionStandsAnywhereAndVersionAnswers)
{
    testing_support::TempMachine m;
    testing_support::TempMachine other;
    // The tool is pointed at `other` by default; --machine before or after the command wins.
    const ToolRun before =
        RunVnmachineApart(other.root(), {"--machine", m.root().string(), "where"});
    const ToolRun after =
        RunVnmachineApart(other.root(), {"where", "--machine", m.root().string()});
    const ToolRun joined =
        RunVnmachineApart(other.root(), {"where", "--machine=" + m.root().string()});
    for (const ToolRun* r : {&before, &after, &joined})
    {
        EXPECT_EQ(r->status, 0) << r->err;
        EXPECT_EQ(r->out, std::filesystem::absolute(m.root()).string() + "\n");
    }
    // After "--" it is a word like any other: here an SSID.
    const ToolRun quoted = RunVnmachineApart(m.root(), {"wlan", "connect", "--", "--machine"});
    EXPECT_EQ(quoted.status, 2) << quoted.err;

    const ToolRun version = RunVnmachineApart(m.root(), {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("vnmachine ", 0), 0u) << version.out;
}

TEST(VnmachineConventions, OnlyInitMakesAMachine)
{
    testing_support::TempMachine scratch;
    const std::filesystem::path missing = scratch.root() / "deep" / "m";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"devices"},
                                                 {"wlan", "status"},
                                                 {"networks"},
                                                 {"ui", "list"},
                                                 {"reg", "show", "HKLM\\SOFTWARE"},
                                                 {"desktop"}})
    {
        const ToolRun r = RunVnmachineApart(missing, args);
        EXPECT_EQ(r.status, 1) << Joined(args);
        EXPECT_EQ(r.err, "vnmachine: no machine at " + missing.string() + "\n") << Joined(args);
        EXPECT_FALSE(std::filesystem::exists(scratch.root() / "deep")) << Joined(args);
    }
    EXPECT_EQ(RunVnmachineApart(missing, {"where"}).out, missing.string() + "\n");
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(RunVnmachineApart(missing, {"init"}).status, 0);
    EXPECT_EQ(RunVnmachineApart(missing, {"devices"}).status, 0);
}

TEST(VnmachineConventions, ConnectWaitsForItsOutcomeAndAnUnknownNetworkKeepsTheLink)
{
    testing_support::TempMachine m;
    const ToolRun up = RunVnmachineApart(m.root(), {"wlan", "connect", "Harbor Guest"});
    EXPECT_EQ(up.status, 0) << up.err;
    EXPECT_EQ(up.out, "connected to \"Harbor Guest\"\n");

    EXPECT_EQ(RunVnmachineApart(m.root(), {"wlan", "connect", "Nope"}).status, 1);
    EXPECT_NE(RunVnmachineApart(m.root(), {"wlan", "status"}).out.find("\"Harbor Guest\""),
              std::string::npos);

    const std::filesystem::path file = m.root() / "wrong.xml";
    std::ofstream(file) << kWrongKeyProfile;
    ASSERT_EQ(RunVnmachineApart(m.root(), {"wlan", "profile", "add", file.string()}).status, 0);
    EXPECT_NE(RunVnmachineApart(m.root(), {"wlan", "profile", "Wrong"}).out.find("not-the-key"),
              std::string::npos);
    const ToolRun wrong = RunVnmachineApart(m.root(), {"wlan", "connect", "--profile", "Wrong"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("the connect failed"), std::string::npos) << wrong.err;

    // A connect slower than the caller waits is reported as such.
    ASSERT_EQ(RunVnmachineApart(m.root(), {"wlan", "connect-delay", "5000"}).status, 0);
    const ToolRun slow =
        RunVnmachineApart(m.root(), {"wlan", "connect", "Harbor Guest", "--timeout", "0"});
    EXPECT_EQ(slow.status, 1);
    EXPECT_NE(slow.err.find("no outcome within 0 s"), std::string::npos) << slow.err;
}

} // namespace
