// The window tree as JSON, read back with an independent parser: every text survives as UTF-8
// whatever bytes it holds, and the fields carry the tree's state by their documented names.

#include "platform/ui/automation/WindowJson.h"
#include "tests/platform/ui/desktop/DesktopTestSupport.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace
{

using nlohmann::json;
using platform::automation::ControlKind;
using platform::automation::JsonString;
using platform::automation::WindowJson;
using platform::automation::WindowNode;

TEST(WindowJsonText, EveryByteSequenceBecomesAStringAParserReadsBack)
{
    const struct
    {
        std::string text;
        std::string read;
    } cases[] = {
        {"", ""},
        {"Harbor Guest", "Harbor Guest"},
        {"say \"hi\" \\ there", "say \"hi\" \\ there"},
        {"a\tb\r\nc", "a\tb\r\nc"},
        {std::string("\x01\x1f\x7f", 3), std::string("\x01\x1f\x7f", 3)},
        {std::string("nul\0in", 6), std::string("nul\0in", 6)},
        {"caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x93\xB6", "caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x93\xB6"},
        // Not UTF-8: each stray byte stands as U+FFFD and the rest is kept.
        {"a\xFF"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {"end\xC3", "end\xEF\xBF\xBD"},
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                                 // overlong '/'
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},                 // a surrogate
        {"\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}, // past U+10FFFF
        {"\xE9t\xE9", "\xEF\xBF\xBDt\xEF\xBF\xBD"},                               // a Latin-1 text
    };
    for (const auto& c : cases)
    {
        const std::string literal = JsonString(c.text);
        json parsed;
        ASSERT_NO_THROW(parsed = json::parse(literal)) << literal;
        EXPECT_EQ(parsed.get<std::string>(), c.read) << literal;
        // Control characters never appear raw.
        for (char ch : literal)
            EXPECT_FALSE(static_cast<unsigned char>(ch) < 0x20) << literal;
    }
}

WindowNode node(ControlKind kind, int id, std::string text)
{
    WindowNode n;
    n.kind = kind;
    n.id = id;
    n.text = std::move(text);
    n.visible = n.enabled = true;
    return n;
}

TEST(WindowJsonTree, FieldsCarryTheStateAndKindFieldsOnlyTheirKind)
{
    WindowNode sheet = node(ControlKind::Dialog, 0, "Wireless \"Utility\"");
    sheet.hwnd = 0x0001000A;
    sheet.className = "#32770";
    sheet.style = 0x94C800C4;
    sheet.rect = {100, 50, 455, 420};
    sheet.pages = {"Profile", "Site Survey"};
    sheet.activePage = 1;

    WindowNode list = node(ControlKind::ListView, 1002, "");
    list.columns = {"SSID", "Channel"};
    platform::automation::ListRow row;
    row.cells = {"Orchard AES", "6"};
    row.selected = true;
    platform::automation::ListRow connected;
    connected.cells = {"Harbor Guest", "11"};
    connected.image = 0;
    connected.imageIcon = 173;
    connected.imageName = "connected network";
    list.rows = {row, connected};
    WindowNode combo = node(ControlKind::ComboBox, 1005, "");
    combo.items = {"11b", "11g"};
    combo.selection = -1;
    WindowNode key = node(ControlKind::Edit, 1109, "secret");
    key.passwordChar = '*';
    key.enabled = false;
    WindowNode slider = node(ControlKind::Slider, 1007, "");
    slider.pos = 30;
    slider.rangeMin = 0;
    slider.rangeMax = 100;
    sheet.iconId = 161;
    sheet.iconName = "signal good";
    WindowNode ok = node(ControlKind::PushButton, 1, "OK");
    ok.defaultButton = true;
    ok.focused = true;
    sheet.children = {list, combo, key, slider, ok};

    json doc;
    ASSERT_NO_THROW(doc = json::parse(WindowJson(sheet)));
    EXPECT_EQ(doc["hwnd"], "0x0001000A");
    EXPECT_EQ(doc["kind"], "dialog");
    EXPECT_EQ(doc["class"], "#32770");
    EXPECT_EQ(doc["text"], "Wireless \"Utility\"");
    EXPECT_EQ(doc["style"], 0x94C800C4u);
    EXPECT_EQ(doc["rect"], (json{{"left", 100}, {"top", 50}, {"right", 455}, {"bottom", 420}}));
    EXPECT_EQ(doc["pages"], (json{"Profile", "Site Survey"}));
    EXPECT_EQ(doc["active_page"], 1);
    ASSERT_EQ(doc["children"].size(), 5u);

    const json& l = doc["children"][0];
    EXPECT_EQ(l["kind"], "listview");
    EXPECT_EQ(l["columns"], (json{"SSID", "Channel"}));
    ASSERT_EQ(l["rows"].size(), 2u);
    EXPECT_EQ(l["rows"][0],
              (json{{"cells", {"Orchard AES", "6"}}, {"selected", true}, {"focused", false}}));
    EXPECT_EQ(l["rows"][1]["image"],
              (json{{"index", 0}, {"id", 173}, {"name", "connected network"}}));
    EXPECT_EQ(doc["icon"], (json{{"id", 161}, {"name", "signal good"}}));
    EXPECT_FALSE(doc.contains("bitmap"));
    const json& c = doc["children"][1];
    EXPECT_EQ(c["items"], (json{"11b", "11g"}));
    EXPECT_EQ(c["selection"], -1);
    const json& e = doc["children"][2];
    EXPECT_EQ(e["password_char"], "*");
    EXPECT_EQ(e["enabled"], false);
    const json& s = doc["children"][3];
    EXPECT_EQ(s["pos"], 30);
    EXPECT_EQ(s["range_max"], 100);
    const json& b = doc["children"][4];
    EXPECT_EQ(b["default"], true);
    EXPECT_EQ(b["focused"], true);
    EXPECT_EQ(b["children"], json::array());

    // What belongs to another kind is left out, not given as null or empty.
    for (const char* absent :
         {"items", "selection", "columns", "rows", "pos", "pages", "menu", "password_char", "icon"})
        EXPECT_FALSE(b.contains(absent)) << absent;
    EXPECT_FALSE(doc.contains("items"));
    EXPECT_FALSE(l.contains("pos"));
}

class WindowJsonDesktop : public desktop_test::DesktopTest
{
};

TEST_F(WindowJsonDesktop, ALiveWindowIsDescribedWithItsControlsInScreenPixels)
{
    HWND top = desktop_test::MakeSeeingWindow("Status \xC3\xA9t\xC3\xA9");
    ASSERT_NE(top, 0u);
    HWND check = CreateWindowExA(0, "Button", "Enable", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 5,
                                 6, 80, 14, top, static_cast<HMENU>(1001), 0, nullptr);
    HWND edit = CreateWindowExA(0, "Edit", "key", WS_CHILD | ES_PASSWORD, 5, 30, 80, 14, top,
                                static_cast<HMENU>(1002), 0, nullptr);
    ASSERT_NE(check, 0u);
    ASSERT_NE(edit, 0u);
    CheckDlgButton(top, 1001, BST_CHECKED);

    json doc;
    ASSERT_NO_THROW(doc = json::parse(platform::automation::WindowTreeJson(top)));
    EXPECT_EQ(doc["text"], "Status \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(doc["rect"]["left"], 10);
    ASSERT_EQ(doc["children"].size(), 2u);
    const json& box = doc["children"][0];
    EXPECT_EQ(box["kind"], "check");
    EXPECT_EQ(box["id"], 1001);
    EXPECT_EQ(box["checked"], true);
    EXPECT_EQ(box["rect"]["left"], 15); // the parent's origin and its own offset
    EXPECT_EQ(box["rect"]["bottom"], 30);
    const json& key = doc["children"][1];
    EXPECT_EQ(key["kind"], "edit");
    EXPECT_EQ(key["visible"], false);
    EXPECT_TRUE(key.contains("password_char"));

    DestroyWindow(top);
    EXPECT_EQ(platform::automation::WindowTreeJson(top), "");
}

} // namespace
