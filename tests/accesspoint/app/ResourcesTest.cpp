// TessarynAp's resource header against its resources: each name names something the program
// enters, and no resource of a kind has two names.

#include "resources/TessarynAp/TessarynApResources.h"
#include "resources/TessarynAp/TessarynApStrings.h"
#include "resources/TessarynAp/resource.h"
#include "tests/support/ResourceHeader.h"

#include "platform/Windows.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace
{

using testing_support::KindOf;
using testing_support::NamedId;

TEST(ApResources, EveryNameIsOneResourceThatIsEntered)
{
    RegisterTessarynApResources();
    std::vector<NamedId> ids;
    testing_support::ReadIds(std::filesystem::path(__FILE__).parent_path() / "../../..",
                             "resources/TessarynAp/resource.h", ids);
    ASSERT_FALSE(ids.empty());

    std::map<std::string, std::map<long, std::string>> seen;
    std::set<long> strings;
    HINSTANCE hInst = AfxGetInstanceHandle();
    std::set<UINT> items;
    HMENU hMenu = LoadMenuA(hInst, MAKEINTRESOURCE(IDR_TRAY_MENU));
    ASSERT_NE(hMenu, 0u);
    HMENU hPopup = GetSubMenu(hMenu, 0);
    for (int i = 0; i < GetMenuItemCount(hPopup); ++i)
        items.insert(GetMenuItemID(hPopup, i));
    DestroyMenu(hMenu);

    for (const NamedId& id : ids)
    {
        std::string kind = KindOf(id.name);
        if (kind.empty() || kind == "IDC_")
            continue;
        auto [it, added] = seen[kind].emplace(id.value, id.name);
        EXPECT_TRUE(added) << id.name << " and " << it->second << " are both " << id.value;
        if (kind == "IDI_")
        {
            HICON hIcon = LoadIconA(hInst, MAKEINTRESOURCE(id.value));
            EXPECT_EQ(platform::IconResourceId(hIcon), static_cast<UINT>(id.value)) << id.name;
        }
        else if (kind == "IDD_")
        {
            EXPECT_TRUE(platform::FindDialogTemplate(id.value)) << id.name;
        }
        else if (kind == "IDS_")
        {
            EXPECT_EQ(TessarynApStringTable().count(id.value), 1u) << id.name;
            strings.insert(id.value);
        }
        else if (kind == "ID_")
        {
            EXPECT_EQ(items.count(static_cast<UINT>(id.value)), 1u) << id.name;
        }
    }
    for (const auto& [id, text] : TessarynApStringTable())
        EXPECT_EQ(strings.count(id), 1u) << id << " \"" << text << "\"";
    EXPECT_EQ(items.size(), 3u);
}

// Control ids count within their own template: within one they are apart, each is named, and
// each name is used by a template.
TEST(ApResources, TemplateControlsAreNamedAndApart)
{
    RegisterTessarynApResources();
    std::vector<NamedId> ids;
    testing_support::ReadIds(std::filesystem::path(__FILE__).parent_path() / "../../..",
                             "resources/TessarynAp/resource.h", ids);
    std::set<long> named;
    std::set<long> dialogs;
    for (const NamedId& id : ids)
    {
        if (KindOf(id.name) == "IDC_")
            named.insert(id.value);
        else if (KindOf(id.name) == "IDD_")
            dialogs.insert(id.value);
    }
    std::set<long> used;
    for (long nDialog : dialogs)
    {
        auto t = platform::FindDialogTemplate(static_cast<UINT>(nDialog));
        ASSERT_TRUE(t) << nDialog;
        std::set<int> seen;
        for (const platform::DialogControl& c : t->controls)
        {
            if (c.id == IDC_STATIC || c.id == IDOK || c.id == IDCANCEL)
                continue;
            EXPECT_TRUE(seen.insert(c.id).second) << nDialog << ": two controls " << c.id;
            EXPECT_EQ(named.count(c.id), 1u) << nDialog << ": control " << c.id;
            used.insert(c.id);
        }
    }
    for (const NamedId& id : ids)
    {
        if (KindOf(id.name) == "IDC_")
        {
            EXPECT_EQ(used.count(id.value), 1u) << id.name << " is in no template";
        }
    }
}

} // namespace
