// The UplinkPick dialog and application run in-process on a fresh machine: the idle hook plays
// the person in front of the dialog (and of the boxes it opens), one step each time a loop runs
// dry.

#include "uplink/UplinkPickDlg.h"
#include "uplink/UplinkPickApp.h"

#include "machine/MachineImage.h"
#include "machine/network/Connections.h"
#include "machine/network/IpconfigReport.h"
#include "machine/network/SharingFaults.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "platform/Windows.h"
#include "platform/ui/automation/Actions.h"
#include "resources/UplinkPick/UplinkPickResources.h"
#include "uplink/AdapterRecords.h"

#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace
{

namespace network = machine::network;
namespace programs = machine::programs;
namespace automation = platform::automation;

const char kCaption[] = "Internet  Connection Sharing with SoftAP";
const char kAboutCaption[] = "\xE9\x97\x9C\xE6\x96\xBC UplinkPick";
const char kAboutItem[] = "\xE9\x97\x9C\xE6\x96\xBC UplinkPick(&A)...";
const char kLan[] = "Local Area Connection";
const char kLan2[] = "Local Area Connection 2";
const char kWireless[] = "Wireless Network Connection";
const char kNoWan[] = "No WAN interface, please skip...";
const char kNoAllow[] = "No allow WAN IP is 192.168.0.x";
const char kNoWireless[] = "KWF-9310USB Wireless Adapter is not found.";

using Step = std::function<void(HWND dlg)>;
using SharingMap = std::map<std::string, std::string>; // connection name -> "public", ...

network::Connection ethernet(const std::string& name, const std::string& ip)
{
    network::Connection c;
    c.name = name;
    c.description = "Brightwire Fast Ethernet Adapter";
    c.mac = "00-11-22-33-44-66";
    c.ip = ip;
    return c;
}

// What the dialog shows: the drop-down list and the three edits.
struct Form
{
    std::vector<std::string> entries;
    int selection = -1;
    std::string description, mac, ip;
};

const automation::WindowNode* findNode(const automation::WindowNode& node, int id)
{
    if (node.id == id)
        return &node;
    for (const auto& child : node.children)
        if (const auto* found = findNode(child, id))
            return found;
    return nullptr;
}

Form readForm(HWND dlg)
{
    Form form;
    auto tree = automation::Describe(dlg);
    if (!tree)
    {
        ADD_FAILURE() << "the dialog is not there";
        return form;
    }
    if (const auto* list = findNode(*tree, 1000))
    {
        form.entries = list->items;
        form.selection = list->selection;
    }
    if (const auto* n = findNode(*tree, 1001))
        form.description = n->text;
    if (const auto* n = findNode(*tree, 1002))
        form.mac = n->text;
    if (const auto* n = findNode(*tree, 1003))
        form.ip = n->text;
    return form;
}

void click(HWND window, const std::string& control)
{
    auto r = automation::Click(window, control);
    EXPECT_TRUE(r.ok) << control << ": " << r.message;
}

// A step that checks the box that is up over the dialog and presses its OK.
Step answerBox(std::string text, UINT iconOrZero, std::string* seen = nullptr)
{
    return [=](HWND dlg)
    {
        auto box = platform::FindOpenMessageBox();
        if (!box)
        {
            ADD_FAILURE() << "no message box is up";
            return;
        }
        if (seen != nullptr)
            *seen = box->text;
        else
            EXPECT_EQ(box->text, text);
        EXPECT_EQ(box->type & MB_TYPEMASK, MB_OK);
        if (iconOrZero != 0)
        {
            EXPECT_EQ(box->type & MB_ICONMASK, iconOrZero);
        }
        EXPECT_FALSE(IsWindowEnabled(dlg)) << "the dialog is the box's disabled owner";
        EXPECT_TRUE(platform::AnswerMessageBox(box->hwnd, IDOK));
    };
}

// The dialog is still up, usable again, with no box over it.
Step stillUpThenCancel()
{
    return [](HWND dlg)
    {
        EXPECT_TRUE(IsWindow(dlg));
        EXPECT_TRUE(IsWindowVisible(dlg));
        EXPECT_TRUE(IsWindowEnabled(dlg));
        EXPECT_FALSE(platform::FindOpenMessageBox().has_value());
        click(dlg, "&Not enable ICS");
    };
}

class UplinkPickDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        RegisterUplinkPickResources();
        platform::ClearMessageBoxLog();
        // The tables are the process's: start each test from a program's first state.
        for (auto& r : g_AdapterRecords)
            r = AdapterRecord();
        g_nAdapterCount = 0;
        g_strWanName.Empty();
        g_strWirelessName.Empty();
    }
    void TearDown() override
    {
        platform::SetIdleHook(nullptr);
        EXPECT_EQ(platform::LiveComObjects(), 0);
        EXPECT_EQ(platform::ComInitCount(), 0);
    }

    // Runs the dialog modally; each time one of its loops (its own, or a box's over it) has
    // nothing to do, the next step runs. Steps left over, or a dialog still up after the last
    // step, fail the test.
    INT_PTR runDialog(std::vector<Step> steps)
    {
        CUplinkPickDlg dlg;
        // As the program runs it: the dialog is the main window (boxes and the About box
        // are owned by it).
        theApp.m_pMainWnd = &dlg;
        std::size_t next = 0;
        platform::SetIdleHook(
            [&]
            {
                HWND hwnd = dlg.GetSafeHwnd();
                if (next < steps.size())
                    steps[next++](hwnd);
                else
                {
                    ADD_FAILURE() << "the dialog is still up after the last step";
                    if (auto box = platform::FindOpenMessageBox())
                        platform::AnswerMessageBox(box->hwnd, box->buttons.front());
                    else
                        ::EndDialog(hwnd, -2);
                }
                // A step may only look and send: the loop is to look again either way.
                PostMessageA(0, WM_NULL, 0, 0);
            });
        const INT_PTR result = dlg.DoModal();
        platform::SetIdleHook(nullptr);
        EXPECT_EQ(next, steps.size()) << "steps not reached";
        theApp.m_pMainWnd = nullptr;
        drainQueue();
        return result;
    }

    // The main window's end posts the program's quit; the next test's loops must not see it.
    static void drainQueue()
    {
        MSG msg;
        while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
        {
        }
    }

    SharingMap sharing() const
    {
        SharingMap out;
        for (const auto& c : network::LoadConnections(m.machine()))
            if (!out.count(c.name)) // the first of a name
                out[c.name] = network::SharingName(c.sharing);
        return out;
    }
    std::vector<std::string> sharingByPosition() const
    {
        std::vector<std::string> out;
        for (const auto& c : network::LoadConnections(m.machine()))
            out.push_back(network::SharingName(c.sharing));
        return out;
    }
    // The calls that changed sharing, in order, without their results.
    std::vector<std::string> sharingChanges() const
    {
        std::vector<std::string> out;
        for (const auto& line : network::ReadSharingLog(m.machine()))
            if (line.rfind("EnableSharing", 0) == 0 || line.rfind("DisableSharing", 0) == 0)
                out.push_back(line.substr(0, line.find(" -> ")));
        return out;
    }
    void share(const std::string& name, network::Sharing s)
    {
        ASSERT_TRUE(network::SetSharingByName(m.machine(), name, s));
    }
    std::filesystem::path programFolder() const
    {
        return m.cDrive() / "Program Files" / "Tessaryn";
    }
    // A report as an earlier run of NicReport.bat left it.
    void leaveReport(const std::vector<network::Connection>& list)
    {
        std::ofstream(programFolder() / "NicReport.txt", std::ios::binary)
            << network::FormatIpconfigReport(list);
    }

    testing_support::TempMachine m;
};

// --- listing ---------------------------------------------------------------------------------

TEST_F(UplinkPickDlgTest, ListsTheReportsConnectionsWithoutTheWirelessOneAndShowsTheFirst)
{
    Form shown;
    std::string caption;
    LRESULT dragIcon = 0;
    const INT_PTR result = runDialog({[&](HWND dlg)
                                      {
                                          shown = readForm(dlg);
                                          char text[128] = {0};
                                          GetWindowTextA(dlg, text, sizeof text);
                                          caption = text;
                                          dragIcon = SendMessageA(dlg, WM_QUERYDRAGICON, 0, 0);
                                          click(dlg, "&Not enable ICS");
                                      }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(caption, kCaption);
    EXPECT_EQ(shown.entries, (std::vector<std::string>{kLan, kLan2}));
    EXPECT_EQ(shown.selection, 0);
    EXPECT_EQ(shown.description, "Norvast GigaLink PCI-E Ethernet Controller");
    EXPECT_EQ(shown.mac, "00-1B-77-3A-9C-41");
    EXPECT_EQ(shown.ip, "10.0.0.23");
    EXPECT_NE(dragIcon, 0);
    EXPECT_EQ(std::string(g_strWirelessName), kWireless);

    // The batch file ran hidden, from the program's folder, once.
    int starts = 0;
    for (const auto& line : programs::ReadProgramLog(m.machine()))
        if (line.rfind("WinExec [", 0) == 0)
        {
            ++starts;
            EXPECT_EQ(line.rfind("WinExec [\"NicReport.bat\" ] show=0 dir=[C:\\Program "
                                 "Files\\Tessaryn] result=33",
                                 0),
                      0u)
                << line;
        }
    EXPECT_EQ(starts, 1);
}

TEST_F(UplinkPickDlgTest, ChoosingAnotherEntryShowsItsRecord)
{
    network::Connection ppp;
    ppp.name = "Dial-up Provider";
    ppp.description = "WAN (PPP/SLIP) Interface";
    ppp.mac = "00-53-45-00-00-00";
    ppp.ip = "10.64.1.7";
    ppp.dhcp = false;
    ppp.type = network::MediaType::Ppp;
    network::AddConnection(m.machine(), ppp);

    std::vector<Form> seen;
    auto select = [&](const std::string& entry)
    {
        return [&seen, entry](HWND dlg)
        {
            auto r = automation::SelectEntry(dlg, "1000", entry);
            EXPECT_TRUE(r.ok) << r.message;
            seen.push_back(readForm(dlg));
        };
    };
    runDialog({select(kLan2), select("Dial-up Provider"), select(kLan),
               [](HWND dlg) { click(dlg, "&Not enable ICS"); }});

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].entries, (std::vector<std::string>{kLan, kLan2, "Dial-up Provider"}));
    EXPECT_EQ(seen[0].selection, 1);
    EXPECT_EQ(seen[0].description, "Norvast FastLink 10/100 Ethernet Adapter");
    EXPECT_EQ(seen[0].mac, "00-1B-77-3A-9C-42");
    EXPECT_EQ(seen[0].ip, "") << "a disconnected connection has no address";
    EXPECT_EQ(seen[1].selection, 2);
    EXPECT_EQ(seen[1].description, "WAN (PPP/SLIP) Interface");
    EXPECT_EQ(seen[1].mac, "00-53-45-00-00-00");
    EXPECT_EQ(seen[1].ip, "10.64.1.7");
    EXPECT_EQ(seen[2].selection, 0);
    EXPECT_EQ(seen[2].description, "Norvast GigaLink PCI-E Ethernet Controller");
    EXPECT_EQ(seen[2].ip, "10.0.0.23");
}

TEST_F(UplinkPickDlgTest, AReportLeftByAnEarlierRunIsReadWhenTheBatchFileWritesNothing)
{
    network::Connection old;
    old.name = "Office LAN";
    old.description = "Brightwire Fast Ethernet Adapter";
    old.mac = "00-11-22-33-44-55";
    old.ip = "172.16.4.9";
    auto list = network::DefaultConnections();
    list.insert(list.begin(), old);
    leaveReport(list);
    programs::SetReportWritesNothing(m.machine(), true);

    Form shown;
    runDialog({[&](HWND dlg)
               {
                   shown = readForm(dlg);
                   click(dlg, "&Not enable ICS");
               }});
    EXPECT_EQ(shown.entries, (std::vector<std::string>{"Office LAN", kLan, kLan2}));
    EXPECT_EQ(shown.ip, "172.16.4.9");
}

// The table holds ten connections: the eleventh is not listed, and the wireless connection
// after it is still recognised, so that Enable ICS works with what is listed.
TEST_F(UplinkPickDlgTest, TenConnectionsAreListedAndTheWirelessOneAfterThemIsStillFound)
{
    network::ChangeConnections(
        m.machine(),
        [](std::vector<network::Connection>& list)
        {
            const network::Connection wireless = list[1];
            list.erase(list.begin() + 1);
            for (int i = 3; i <= 11; ++i)
                list.push_back(ethernet("LAN " + std::to_string(i), "10.0.1." + std::to_string(i)));
            list.push_back(wireless);
            return true;
        });
    Form shown;
    const INT_PTR result = runDialog({[&](HWND dlg)
                                      {
                                          shown = readForm(dlg);
                                          auto r = automation::SelectEntry(dlg, "1000", "#9");
                                          EXPECT_TRUE(r.ok) << r.message;
                                      },
                                      [](HWND dlg) { click(dlg, "&Enable ICS"); }});
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(shown.entries.size(), 10u);
    EXPECT_EQ(shown.entries.back(), "LAN 10");
    EXPECT_EQ(sharing()["LAN 10"], "public");
    EXPECT_EQ(sharing()["LAN 11"], "none");
    EXPECT_EQ(sharing()[kWireless], "private");
}

// --- leaving without sharing -----------------------------------------------------------------

struct CancelCase
{
    const char* name;
    std::function<automation::ActionResult(HWND)> leave;
};
void PrintTo(const CancelCase& c, std::ostream* os)
{
    *os << c.name;
}

class UplinkPickCancelTest : public UplinkPickDlgTest,
                             public ::testing::WithParamInterface<CancelCase>
{
};

TEST_P(UplinkPickCancelTest, LeavingChangesNoSharing)
{
    share(kLan2, network::Sharing::Public);
    share(kWireless, network::Sharing::Private);
    const SharingMap before = sharing();
    network::ClearSharingLog(m.machine());

    const INT_PTR result = runDialog({[](HWND dlg)
                                      {
                                          auto r = automation::SelectEntry(dlg, "1000", kLan);
                                          EXPECT_TRUE(r.ok) << r.message;
                                      },
                                      [](HWND dlg)
                                      {
                                          auto r = GetParam().leave(dlg);
                                          EXPECT_TRUE(r.ok) << r.message;
                                      }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(sharing(), before);
    EXPECT_TRUE(sharingChanges().empty());
    EXPECT_TRUE(platform::MessageBoxLog().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, UplinkPickCancelTest,
    ::testing::Values(CancelCase{"NotEnableButton", [](HWND dlg)
                                 { return automation::Click(dlg, "&Not enable ICS"); }},
                      CancelCase{"CloseBox", [](HWND dlg) { return automation::CloseWindow(dlg); }},
                      CancelCase{"Escape",
                                 [](HWND dlg) { return automation::PressKey(dlg, "esc"); }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- enabling --------------------------------------------------------------------------------

struct EnableCase
{
    const char* name;
    std::function<void(const machine::Machine&)> arrange;
    const char* entry;                // chosen before OK; null keeps entry 0
    std::vector<std::string> sharing; // per connection, in the machine's order
    std::vector<std::string> changes; // the sharing calls made, in order
};
void PrintTo(const EnableCase& c, std::ostream* os)
{
    *os << c.name;
}

class UplinkPickEnableTest : public UplinkPickDlgTest,
                             public ::testing::WithParamInterface<EnableCase>
{
};

TEST_P(UplinkPickEnableTest, EnableIcsSharesTheChosenConnectionPubliclyAndTheWirelessPrivately)
{
    const EnableCase& c = GetParam();
    if (c.arrange)
        c.arrange(m.machine());
    network::ClearSharingLog(m.machine());

    std::vector<Step> steps;
    if (c.entry != nullptr)
        steps.push_back(
            [&](HWND dlg)
            {
                auto r = automation::SelectEntry(dlg, "1000", c.entry);
                EXPECT_TRUE(r.ok) << r.message;
            });
    steps.push_back([](HWND dlg) { click(dlg, "&Enable ICS"); });
    const INT_PTR result = runDialog(steps);

    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(sharingByPosition(), c.sharing);
    EXPECT_EQ(sharingChanges(), c.changes);
    EXPECT_TRUE(platform::MessageBoxLog().empty());
    EXPECT_EQ(std::string(g_strWanName), c.entry != nullptr ? c.entry : kLan);
}

INSTANTIATE_TEST_SUITE_P(
    Machines, UplinkPickEnableTest,
    ::testing::Values(
        EnableCase{"FirstEntry",
                   nullptr,
                   nullptr,
                   {"public", "private", "none"},
                   {"EnableSharing [Local Area Connection] public",
                    "EnableSharing [Wireless Network Connection] private"}},
        EnableCase{"DisconnectedEntryWithoutAddress",
                   nullptr,
                   kLan2,
                   {"none", "private", "public"},
                   {"EnableSharing [Local Area Connection 2] public",
                    "EnableSharing [Wireless Network Connection] private"}},
        // Sharing elsewhere goes off first, before anything is turned on.
        EnableCase{"EarlierSharingIsTurnedOffFirst",
                   [](const machine::Machine& mm)
                   {
                       network::SetSharingByName(mm, kLan, network::Sharing::Private);
                       network::SetSharingByName(mm, kLan2, network::Sharing::Public);
                   },
                   kLan2,
                   {"none", "private", "public"},
                   {"DisableSharing [Local Area Connection]",
                    "DisableSharing [Local Area Connection 2]",
                    "EnableSharing [Local Area Connection 2] public",
                    "EnableSharing [Wireless Network Connection] private"}},
        // Of two connections of one name, the first in the enumeration is the one shared.
        EnableCase{"SameNameTwice",
                   [](const machine::Machine& mm)
                   { network::AddConnection(mm, ethernet(kLan, "10.9.9.9")); },
                   nullptr,
                   {"public", "private", "none", "none"},
                   {"EnableSharing [Local Area Connection] public",
                    "EnableSharing [Wireless Network Connection] private"}},
        // Only 192.168.0.x is refused: other private ranges are fine as the Internet side.
        EnableCase{"OtherPrivateRange",
                   [](const machine::Machine& mm)
                   { network::SetConnectionField(mm, kLan, "ip", "192.168.1.5"); },
                   nullptr,
                   {"public", "private", "none"},
                   {"EnableSharing [Local Area Connection] public",
                    "EnableSharing [Wireless Network Connection] private"}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- refusals --------------------------------------------------------------------------------

struct RefusalCase
{
    const char* name;
    std::function<void(UplinkPickDlgTest&, const machine::Machine&)> arrange;
    const char* entry; // chosen before OK; null keeps what is selected
    const char* message;
    UINT icon; // 0: not looked at
    std::size_t listed;
};
void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

class UplinkPickRefusalTest : public UplinkPickDlgTest,
                              public ::testing::WithParamInterface<RefusalCase>
{
public:
    using UplinkPickDlgTest::leaveReport;
    using UplinkPickDlgTest::programFolder;
};

TEST_P(UplinkPickRefusalTest, OkIsRefusedWithAMessageAndTheDialogStays)
{
    const RefusalCase& c = GetParam();
    c.arrange(*this, m.machine());
    const SharingMap before = sharing();
    network::ClearSharingLog(m.machine());

    Form shown;
    std::vector<Step> steps;
    steps.push_back(
        [&](HWND dlg)
        {
            shown = readForm(dlg);
            if (c.entry != nullptr)
            {
                auto r = automation::SelectEntry(dlg, "1000", c.entry);
                EXPECT_TRUE(r.ok) << r.message;
            }
        });
    steps.push_back([](HWND dlg) { click(dlg, "&Enable ICS"); });
    steps.push_back(answerBox(c.message, c.icon));
    steps.push_back(stillUpThenCancel());
    const INT_PTR result = runDialog(steps);

    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(shown.entries.size(), c.listed);
    EXPECT_EQ(platform::MessageBoxLog().size(), 1u);
    EXPECT_EQ(sharing(), before);
    EXPECT_TRUE(sharingChanges().empty()) << "refused before anything is changed";
}

// Sharing as an earlier run left it, which a refusal must keep.
void earlierSharing(const machine::Machine& mm)
{
    network::SetSharingByName(mm, kLan2, network::Sharing::Public);
    network::SetSharingByName(mm, kWireless, network::Sharing::Private);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, UplinkPickRefusalTest,
    ::testing::Values(
        // A report of an earlier run is not read when the batch file did not start.
        RefusalCase{"BatchFileFailsToStart",
                    [](UplinkPickDlgTest& t, const machine::Machine& mm)
                    {
                        earlierSharing(mm);
                        static_cast<UplinkPickRefusalTest&>(t).leaveReport(
                            network::LoadConnections(mm));
                        programs::InjectStartFailure(mm, "NicReport.bat", 2, 1);
                    },
                    nullptr, kNoWan, MB_ICONSTOP, 0},
        RefusalCase{"BatchFileMissing",
                    [](UplinkPickDlgTest& t, const machine::Machine& mm)
                    {
                        earlierSharing(mm);
                        std::filesystem::remove(
                            static_cast<UplinkPickRefusalTest&>(t).programFolder() /
                            "NicReport.bat");
                    },
                    nullptr, kNoWan, MB_ICONSTOP, 0},
        RefusalCase{"BatchFileWritesNothing",
                    [](UplinkPickDlgTest&, const machine::Machine& mm)
                    {
                        earlierSharing(mm);
                        programs::SetReportWritesNothing(mm, true);
                    },
                    nullptr, kNoWan, MB_ICONSTOP, 0},
        RefusalCase{"NoConnectionsAtAll",
                    [](UplinkPickDlgTest&, const machine::Machine& mm)
                    { network::SaveConnections(mm, {}); },
                    nullptr, kNoWan, MB_ICONSTOP, 0},
        RefusalCase{"WanOnTheHomeNetworksRange",
                    [](UplinkPickDlgTest&, const machine::Machine& mm)
                    {
                        earlierSharing(mm);
                        network::SetConnectionField(mm, kLan, "ip", "192.168.0.5");
                    },
                    nullptr, kNoAllow, 0, 2},
        // The address looked at is the chosen entry's, not the first one's.
        RefusalCase{"ChosenEntryOnTheHomeNetworksRange",
                    [](UplinkPickDlgTest&, const machine::Machine& mm)
                    {
                        earlierSharing(mm);
                        network::SetConnectionField(mm, kLan2, "status", "connected");
                        network::SetConnectionField(mm, kLan2, "ip", "192.168.0.77");
                    },
                    kLan2, kNoAllow, 0, 2},
        RefusalCase{"NoWirelessConnection",
                    [](UplinkPickDlgTest&, const machine::Machine& mm)
                    {
                        network::SetSharingByName(mm, kLan2, network::Sharing::Public);
                        network::RemoveConnection(mm, kWireless);
                    },
                    nullptr, kNoWireless, 0, 2},
        // The wireless connection is known by its adapter's description, not by its name.
        RefusalCase{"WirelessConnectionOfAnUnknownAdapter",
                    [](UplinkPickDlgTest&, const machine::Machine& mm)
                    {
                        earlierSharing(mm);
                        network::SetConnectionField(mm, kWireless, "description",
                                                    "Brightwire Fast Ethernet Adapter");
                    },
                    nullptr, kNoWireless, 0, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// --- sharing that fails ----------------------------------------------------------------------

struct FailureCase
{
    const char* name;
    std::function<void(UplinkPickDlgTest&, const machine::Machine&)> arrange;
    const char* named;                // the connection the message names
    std::vector<std::string> sharing; // afterwards, per connection
};
void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.name;
}

class UplinkPickFailureTest : public UplinkPickDlgTest,
                              public ::testing::WithParamInterface<FailureCase>
{
public:
    using UplinkPickDlgTest::leaveReport;
};

TEST_P(UplinkPickFailureTest, AFailedEnableIsToldAndLeavesNoHalfSharing)
{
    const FailureCase& c = GetParam();
    network::SetSharingByName(m.machine(), kLan2, network::Sharing::Public);
    c.arrange(*this, m.machine());

    std::string message;
    const INT_PTR result = runDialog({[](HWND dlg) { click(dlg, "&Enable ICS"); },
                                      answerBox("", MB_ICONSTOP, &message), stillUpThenCancel()});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_NE(message.find("could not be enabled"), std::string::npos) << message;
    EXPECT_NE(message.find(std::string("\"") + c.named + "\""), std::string::npos) << message;
    EXPECT_EQ(sharingByPosition(), c.sharing);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UplinkPickFailureTest,
    ::testing::Values(
        FailureCase{"EveryEnableFails",
                    [](UplinkPickDlgTest&, const machine::Machine& mm)
                    { network::InjectSharingFailure(mm, network::SharingCall::Enable, -1); },
                    kLan,
                    {"none", "none", "none"}},
        // The wireless side would be shared without an Internet side: it goes off again.
        FailureCase{"OnlyThePublicSideFails",
                    [](UplinkPickDlgTest&, const machine::Machine& mm)
                    { network::InjectSharingFailure(mm, network::SharingCall::Enable, 1); },
                    kLan,
                    {"none", "none", "none"}},
        FailureCase{"ConfigurationUnavailable",
                    [](UplinkPickDlgTest&, const machine::Machine& mm)
                    { network::InjectSharingFailure(mm, network::SharingCall::Configuration, -1); },
                    kLan,
                    {"none", "none", "public"}},
        // A stale report names a wireless connection the machine no longer has: the Internet
        // side must not stay shared alone.
        FailureCase{"WirelessConnectionGone",
                    [](UplinkPickDlgTest& t, const machine::Machine& mm)
                    {
                        auto list = network::LoadConnections(mm);
                        list[1].name = "Wireless Network Connection 9";
                        static_cast<UplinkPickFailureTest&>(t).leaveReport(list);
                        programs::SetReportWritesNothing(mm, true);
                    },
                    "Wireless Network Connection 9",
                    {"none", "none", "none"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UplinkPickDlgTest, AfterAFailedEnableTheUserCanTryAgain)
{
    network::InjectSharingFailure(m.machine(), network::SharingCall::Enable, 1);
    std::string message;
    const INT_PTR result = runDialog({[](HWND dlg) { click(dlg, "&Enable ICS"); },
                                      answerBox("", MB_ICONSTOP, &message),
                                      [](HWND dlg) { click(dlg, "&Enable ICS"); }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(sharingByPosition(), (std::vector<std::string>{"public", "private", "none"}));
    EXPECT_EQ(platform::MessageBoxLog().size(), 1u);
}

// --- system menu -----------------------------------------------------------------------------

TEST_F(UplinkPickDlgTest, TheSystemMenuOpensTheAboutBox)
{
    std::vector<platform::MenuItemInfo> items;
    std::vector<std::string> aboutTexts;
    HWND aboutOwner = 0;
    int aboutsSeen = 0;
    auto checkAbout = [&](HWND dlg)
    {
        HWND about = FindWindowA(NULL, kAboutCaption);
        if (about == 0)
        {
            ADD_FAILURE() << "the About box is not up";
            return;
        }
        ++aboutsSeen;
        aboutOwner = GetParent(about) == dlg ? dlg : 0;
        EXPECT_FALSE(IsWindowEnabled(dlg));
        if (auto tree = automation::Describe(about))
        {
            aboutTexts.clear();
            for (const auto& child : tree->children)
                aboutTexts.push_back(child.text);
        }
        click(about, "OK");
    };
    const INT_PTR result =
        runDialog({[&](HWND dlg)
                   {
                       if (auto menu = platform::DescribeMenu(GetSystemMenu(dlg, FALSE)))
                           items = *menu;
                       auto r = automation::PickSystemMenu(dlg, kAboutItem);
                       EXPECT_TRUE(r.ok) << r.message;
                   },
                   checkAbout,
                   [](HWND dlg)
                   {
                       EXPECT_EQ(FindWindowA(NULL, kAboutCaption), 0u);
                       EXPECT_TRUE(IsWindowEnabled(dlg));
                       // Every id of 16 to 31 is the About item's.
                       PostMessageA(dlg, WM_SYSCOMMAND, 31, 0);
                   },
                   checkAbout, [](HWND dlg) { click(dlg, "&Not enable ICS"); }});
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_GE(items.size(), 2u);
    EXPECT_TRUE(items[items.size() - 2].separator());
    EXPECT_EQ(items.back().id, 16u);
    EXPECT_EQ(items.back().text, kAboutItem);
    EXPECT_EQ(aboutsSeen, 2);
    EXPECT_NE(aboutOwner, 0u);
    EXPECT_NE(std::find(aboutTexts.begin(), aboutTexts.end(), "UplinkPick Version 1.0"),
              aboutTexts.end());
    EXPECT_NE(std::find(aboutTexts.begin(), aboutTexts.end(), "OK"), aboutTexts.end());
}

// --- the application -------------------------------------------------------------------------

struct CommandLineCase
{
    const char* name;
    const char* commandLine;
    bool sharedBefore;
    bool opensDialog;
};
void PrintTo(const CommandLineCase& c, std::ostream* os)
{
    *os << c.name;
}

class UplinkPickAppTest : public UplinkPickDlgTest,
                          public ::testing::WithParamInterface<CommandLineCase>
{
};

TEST_P(UplinkPickAppTest, IcsDownTurnsSharingOffWithoutAWindowAnythingElseOpensTheDialog)
{
    const CommandLineCase& c = GetParam();
    if (c.sharedBefore)
    {
        share(kLan, network::Sharing::Public);
        share(kWireless, network::Sharing::Private);
    }
    const std::vector<std::string> before = sharingByPosition();

    std::string commandLine = c.commandLine;
    theApp.m_lpCmdLine = commandLine.data();
    int dialogsSeen = 0;
    platform::SetIdleHook(
        [&]
        {
            HWND dlg = FindWindowA(NULL, kCaption);
            if (dlg != 0 && dialogsSeen++ == 0)
            {
                CWnd* main = AfxGetMainWnd();
                EXPECT_TRUE(main != nullptr && main->GetSafeHwnd() == dlg)
                    << "the dialog is the main window";
                click(dlg, "&Not enable ICS");
            }
            else
                ADD_FAILURE() << "an unexpected loop is idle";
            PostMessageA(0, WM_NULL, 0, 0);
        });
    EXPECT_FALSE(theApp.InitInstance());
    platform::SetIdleHook(nullptr);
    drainQueue();
    theApp.m_lpCmdLine = nullptr;

    EXPECT_EQ(dialogsSeen, c.opensDialog ? 1 : 0);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_TRUE(platform::MessageBoxLog().empty());
    bool reportRan = false;
    for (const auto& line : programs::ReadProgramLog(m.machine()))
        reportRan = reportRan || line.find("NicReport.bat") != std::string::npos;
    EXPECT_EQ(reportRan, c.opensDialog);
    if (c.opensDialog)
        EXPECT_EQ(sharingByPosition(), before);
    else
        EXPECT_EQ(sharingByPosition(), (std::vector<std::string>{"none", "none", "none"}));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, UplinkPickAppTest,
    ::testing::Values(CommandLineCase{"IcsDown", "ICS_DOWN", true, false},
                      CommandLineCase{"IcsDownWithNothingShared", "ICS_DOWN", false, false},
                      CommandLineCase{"LowerCase", "ics_down", true, true},
                      CommandLineCase{"Empty", "", true, true},
                      CommandLineCase{"IcsDownAndMore", "ICS_DOWN now", true, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
