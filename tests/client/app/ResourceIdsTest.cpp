// The program's resource header against its resources: each name of resource.h (and of the
// shared headers it includes) names something the program enters, no resource of a kind has two
// names, and each template's controls are named and apart.

#include "controls/SiteListCtrl.h"
#include "resources/TessarynUI/TessarynUIResources.h"
#include "resources/TessarynUI/TessarynUIStrings.h"
#include "resources/TessarynUI/resource.h"
#include "tests/support/ResourceHeader.h"

#include "platform/Windows.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

using testing_support::KindOf;
using testing_support::NamedId;
using testing_support::ReadIds;

class ResourceIdsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterTessarynUIResources();
        fs::path root = fs::path(__FILE__).parent_path() / "../../..";
        ReadIds(root, "resources/TessarynUI/resource.h", m_ids);
        ASSERT_FALSE(m_ids.empty());
    }

    std::vector<NamedId> OfKind(const std::string& kind) const
    {
        std::vector<NamedId> found;
        for (const NamedId& id : m_ids)
        {
            if (KindOf(id.name) == kind)
                found.push_back(id);
        }
        return found;
    }

    std::vector<NamedId> m_ids;
};

TEST_F(ResourceIdsTest, NoResourceOfAKindHasTwoNames)
{
    std::map<std::string, std::map<long, std::string>> seen;
    for (const NamedId& id : m_ids)
    {
        std::string kind = KindOf(id.name);
        // Control ids count within their template only (see below); names twice are a
        // redefinition the compiler reports.
        if (kind.empty() || kind == "IDC_")
            continue;
        auto [it, added] = seen[kind].emplace(id.value, id.name);
        EXPECT_TRUE(added) << id.name << " and " << it->second << " are both " << id.value;
    }
}

TEST_F(ResourceIdsTest, EveryNamedResourceIsEntered)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    std::vector<NamedId> icons = OfKind("IDI_");
    icons.push_back({"IDI_SITE_LIST_0", IDI_SITE_LIST_0});
    icons.push_back({"IDI_SITE_LIST_1", IDI_SITE_LIST_1});
    icons.push_back({"IDI_SITE_LIST_2", IDI_SITE_LIST_2});
    for (const NamedId& id : icons)
    {
        HICON hIcon = LoadIconA(hInst, MAKEINTRESOURCE(id.value));
        EXPECT_EQ(platform::IconResourceId(hIcon), static_cast<UINT>(id.value)) << id.name;
    }
    for (const NamedId& id : OfKind("IDB_"))
        EXPECT_NE(LoadBitmapA(hInst, MAKEINTRESOURCE(id.value)), 0u) << id.name;
    for (const NamedId& id : OfKind("IDD_"))
    {
        // The monitor window is never shown and takes the default template.
        bool bEntered = id.value == IDD_HIDE_DIALOG || platform::FindDialogTemplate(id.value);
        EXPECT_TRUE(bEntered) << id.name;
    }
    for (const NamedId& id : OfKind("IDS_"))
        EXPECT_EQ(TessarynUIStringTable().count(id.value), 1u) << id.name;

    // Each command is an item of a menu.
    std::set<UINT> items;
    for (const NamedId& id : OfKind("IDR_"))
    {
        HMENU hMenu = LoadMenuA(hInst, MAKEINTRESOURCE(id.value));
        ASSERT_NE(hMenu, 0u) << id.name;
        HMENU hPopup = GetSubMenu(hMenu, 0);
        for (int i = 0; i < GetMenuItemCount(hPopup); ++i)
            items.insert(GetMenuItemID(hPopup, i));
        DestroyMenu(hMenu);
    }
    for (const NamedId& id : OfKind("ID_"))
        EXPECT_EQ(items.count(static_cast<UINT>(id.value)), 1u) << id.name;
}

TEST_F(ResourceIdsTest, EveryStringOfTheTableIsNamed)
{
    std::set<long> named;
    for (const NamedId& id : OfKind("IDS_"))
        named.insert(id.value);
    for (const auto& [id, text] : TessarynUIStringTable())
        EXPECT_EQ(named.count(id), 1u) << id << " \"" << text << "\"";
}

TEST_F(ResourceIdsTest, TemplateControlsAreNamedAndApart)
{
    std::set<long> named;
    for (const NamedId& id : OfKind("IDC_"))
        named.insert(id.value);
    std::set<long> used;
    for (const NamedId& dialog : OfKind("IDD_"))
    {
        auto t = platform::FindDialogTemplate(dialog.value);
        if (!t)
            continue;
        std::set<int> ids;
        for (const platform::DialogControl& c : t->controls)
        {
            if (c.id == IDC_STATIC || c.id == IDOK || c.id == IDCANCEL)
                continue;
            EXPECT_TRUE(ids.insert(c.id).second) << dialog.name << ": two controls " << c.id;
            EXPECT_EQ(named.count(c.id), 1u) << dialog.name << ": control " << c.id;
            used.insert(c.id);
        }
    }
    for (const NamedId& id : OfKind("IDC_"))
        EXPECT_EQ(used.count(id.value), 1u) << id.name << " is in no template";
}

} // namespace
