// The Access Control page: the addresses it refuses, its 32 rows, the controls each policy
// enables, the in-place change of a row, what it loads and what APPLY stores and sends.

#include "accesspoint/pages/AccessControlPage.h"
#include "machine/miniport/OidTable.h"
#include "machine/registry/Registry.h"
#include "platform/ui/PointerParam.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynAp/resource.h"
#include "tests/accesspoint/support/PageMachine.h"

#include <memory>
#include <string>
#include <vector>

namespace
{

using platform::automation::Click;
using platform::automation::SelectEntry;
using platform::automation::SetText;
using platform::automation::TypeText;
using testing_support::le32;
using Texts = std::vector<std::string>;

const char kCaption[] = "AP Error Message";

// A station's address as typed: 02-5A-00-00-00-nn.
std::string Station(int n)
{
    char text[13];
    snprintf(text, sizeof(text), "025A000000%02X", n);
    return text;
}

class AccessControlPageTest : public ap_test::PageMachine<CAccessControlPage>
{
protected:
    void store(const std::string& key, const std::string& policy, const std::string& list)
    {
        setText(key, "AccessControlPolicy", policy);
        ASSERT_TRUE(
            machine::registry::SetValue(machine(), key, "AccessControlList", REG_MULTI_SZ, list));
    }

    Texts rows() const { return view(IDC_ACL_LIST).items; }
    void policy(const char* text)
    {
        ASSERT_TRUE(SelectEntry(page(), std::to_string(IDC_ACL_POLICY_COMBO), text));
    }

    // A button that may bring up a message box: the box's record, or none.
    std::optional<platform::MessageBoxRecord> press(int nID)
    {
        platform::ClearMessageBoxLog();
        platform::ScriptMessageBoxAnswers({IDOK});
        EXPECT_TRUE(Click(page(), std::to_string(nID))) << nID;
        platform::PumpUntilIdle();
        auto log = platform::MessageBoxLog();
        if (log.empty())
        {
            platform::ScriptMessageBoxAnswers({});
            return std::nullopt;
        }
        return log[0];
    }
    std::optional<platform::MessageBoxRecord> add(const std::string& mac)
    {
        EXPECT_TRUE(SetText(page(), std::to_string(IDC_ACL_MAC_EDIT), mac));
        return press(IDC_ACL_ADD);
    }
    void startModify(int nRow)
    {
        ASSERT_TRUE(SelectEntry(page(), std::to_string(IDC_ACL_LIST), "#" + std::to_string(nRow)));
        HWND hList = ::GetDlgItem(page(), IDC_ACL_LIST);
        ::SendMessageA(page(), WM_COMMAND, MAKEWPARAM(IDC_ACL_LIST, LBN_DBLCLK),
                       static_cast<LPARAM>(hList));
        platform::PumpUntilIdle();
    }
};

TEST_F(AccessControlPageTest, AddressesItRefuses)
{
    Open();
    policy("Reject All");
    const struct
    {
        const char* typed;
        const char* message; // nullptr: listed
    } cases[] = {
        {"0223456789A", "Invalid MAC"},
        {"", "Invalid MAC"},
        {"02234567890G", "Invalid MAC"}, // pasted: not filtered as typed text is
        {"0123456789AB", "Multicast MAC Not Accepted"},
        {"FF23456789AB", "Multicast MAC Not Accepted"},
        {"0223456789aB", nullptr},
        {"0223456789Ab", "Duplicated MAC"}, // letter case does not count
        {"FE23456789AB", nullptr},
    };
    for (const auto& c : cases)
    {
        auto box = add(c.typed);
        if (c.message == nullptr)
        {
            EXPECT_FALSE(box) << c.typed;
            continue;
        }
        ASSERT_TRUE(box) << c.typed;
        EXPECT_EQ(box->text, c.message) << c.typed;
        bool bDuplicate = std::string(c.message) == "Duplicated MAC";
        EXPECT_EQ(box->caption == kCaption, !bDuplicate) << c.typed;
        EXPECT_EQ(box->type, bDuplicate ? static_cast<UINT>(MB_OK) : MB_ICONSTOP) << c.typed;
    }
    EXPECT_EQ(rows(), (Texts{"02-23-45-67-89-aB", "FE-23-45-67-89-AB"}));

    // The edit takes hexadecimal digits only from the keyboard, at most 12.
    ASSERT_TRUE(SetText(page(), std::to_string(IDC_ACL_MAC_EDIT), ""));
    ASSERT_TRUE(TypeText(page(), std::to_string(IDC_ACL_MAC_EDIT), "0g2:3A"));
    EXPECT_EQ(view(IDC_ACL_MAC_EDIT).text, "023A");
}

TEST_F(AccessControlPageTest, ThirtyTwoRowsAtMost)
{
    Open();
    policy("Allow All");
    for (int i = 1; i <= 32; i++)
    {
        ASSERT_TRUE(view(IDC_ACL_ADD).enabled) << i;
        ASSERT_FALSE(add(Station(i))) << i;
    }
    EXPECT_EQ(rows().size(), 32u);
    EXPECT_FALSE(view(IDC_ACL_ADD).enabled);
    ASSERT_TRUE(SelectEntry(page(), std::to_string(IDC_ACL_LIST), "#5"));
    EXPECT_FALSE(press(IDC_ACL_DELETE));
    EXPECT_EQ(rows().size(), 31u);
    EXPECT_EQ(rows()[5], "02-5A-00-00-00-07");
    EXPECT_TRUE(view(IDC_ACL_ADD).enabled);
    ASSERT_FALSE(add(Station(40)));
    EXPECT_FALSE(view(IDC_ACL_ADD).enabled);
    EXPECT_FALSE(press(IDC_ACL_REMOVE_ALL));
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(view(IDC_ACL_ADD).enabled);
}

TEST_F(AccessControlPageTest, ThePolicyEnablesTheListControls)
{
    Open();
    EXPECT_EQ(view(IDC_ACL_POLICY_COMBO).items, (Texts{"Disable", "Allow All", "Reject All"}));
    EXPECT_EQ(view(IDC_ACL_POLICY_LABEL).text, "Access Policy");
    EXPECT_EQ(view(IDC_ACL_ADD).text, "Add");
    for (const char* pszPolicy : {"Allow All", "Disable", "Reject All"})
    {
        policy(pszPolicy);
        bool bOn = std::string(pszPolicy) != "Disable";
        for (int nID :
             {IDC_ACL_LIST, IDC_ACL_MAC_EDIT, IDC_ACL_ADD, IDC_ACL_DELETE, IDC_ACL_REMOVE_ALL})
            EXPECT_EQ(view(nID).enabled, bOn) << pszPolicy << " " << nID;
        EXPECT_TRUE(view(IDC_ACL_APPLY).enabled);
        EXPECT_FALSE(view(IDC_ACL_MODIFY_EDIT).visible);
    }
}

TEST_F(AccessControlPageTest, ApplyStoresTheListAndSendsItsRecord)
{
    Open();
    policy("Reject All");
    ASSERT_FALSE(add("0223456789aB"));
    ASSERT_FALSE(add("02AABBCCDDEE"));
    auto before = machine::registry::DumpKey(machine(), apDefault());
    clearRequests();
    // Nothing is written or sent before APPLY, not even when the page is left.
    activate(1);
    EXPECT_EQ(machine::registry::DumpKey(machine(), apDefault()), before);
    EXPECT_TRUE(requests().empty());
    activate(0);

    EXPECT_FALSE(press(IDC_ACL_APPLY));
    const std::string list = std::string("0223456789aB\0", 13) + std::string("02AABBCCDDEE\0", 13) +
                             std::string(1, '\0');
    for (const std::string& key : {apDefault(), m_driverKey})
    {
        auto stored = machine::registry::GetValue(machine(), key, "AccessControlList");
        ASSERT_TRUE(stored) << key;
        EXPECT_EQ(stored->type, static_cast<std::uint32_t>(REG_MULTI_SZ));
        EXPECT_EQ(stored->data, list) << key;
        EXPECT_EQ(textOf(key, "AccessControlPolicy"), "2") << key;
    }
    std::string record = le32(2) + le32(2) + std::string("\x02\x23\x45\x67\x89\xAB\0\0", 8) +
                         std::string("\x02\xAA\xBB\xCC\xDD\xEE\0\0", 8);
    record.resize(264, '\0');
    EXPECT_EQ(sent(0x0DF10110), std::vector<std::string>{record});

    // "Allow All" over an empty list lets nobody be kept out: policy 0 is sent, 1 is kept.
    policy("Allow All");
    EXPECT_FALSE(press(IDC_ACL_REMOVE_ALL));
    clearRequests();
    EXPECT_FALSE(press(IDC_ACL_APPLY));
    EXPECT_EQ(textOf(apDefault(), "AccessControlPolicy"), "1");
    EXPECT_EQ(machine::registry::GetValue(machine(), apDefault(), "AccessControlList")->data,
              std::string(1, '\0'));
    EXPECT_EQ(sent(0x0DF10110), std::vector<std::string>{std::string(264, '\0')});

    // Disabled: rows stay stored, nothing of them is sent.
    ASSERT_FALSE(add(Station(1)));
    policy("Disable");
    clearRequests();
    EXPECT_FALSE(press(IDC_ACL_APPLY));
    EXPECT_EQ(textOf(apDefault(), "AccessControlPolicy"), "0");
    EXPECT_EQ(machine::registry::GetValue(machine(), apDefault(), "AccessControlList")->data.size(),
              14u);
    EXPECT_EQ(sent(0x0DF10110), std::vector<std::string>{std::string(264, '\0')});
}

TEST_F(AccessControlPageTest, LoadsFromTheDriverKeyItself)
{
    store(apDefault(), "1", std::string("025A00000009\0\0", 14));
    std::string list;
    for (const char* entry : {"025a00000001", "025A00000001", "025A00000002"})
        list += std::string(entry) + '\0';
    list += '\0';
    list += std::string("025A00000003") + '\0'; // nothing after the empty entry
    store(m_driverKey, "2", list);
    Open();
    EXPECT_EQ(rows(), (Texts{"02-5a-00-00-00-01", "02-5A-00-00-00-02"}));
    EXPECT_EQ(view(IDC_ACL_POLICY_COMBO).selection, 2);

    // No more than the 32 rows the list holds; a value beyond the 1024 bytes read is not
    // loaded at all.
    list.clear();
    for (int i = 1; i <= 40; i++)
        list += Station(i) + '\0';
    list += '\0';
    store(m_driverKey, "1", list);
    Open();
    EXPECT_EQ(rows().size(), 32u);
    EXPECT_FALSE(view(IDC_ACL_ADD).enabled);
    list.clear();
    for (int i = 1; i <= 80; i++)
        list += Station(i) + '\0';
    store(m_driverKey, "1", list + '\0');
    Open();
    EXPECT_TRUE(rows().empty());
}

TEST_F(AccessControlPageTest, ARowIsChangedInPlace)
{
    Open();
    policy("Allow All");
    for (int i = 1; i <= 3; i++)
        ASSERT_FALSE(add(Station(i)));
    startModify(1);
    EXPECT_EQ(view(IDC_ACL_MODIFY_EDIT).text, "025A00000002");
    for (int nID : {IDC_ACL_MODIFY_EDIT, IDC_ACL_MODIFY, IDC_ACL_CANCEL})
        EXPECT_TRUE(view(nID).visible) << nID;
    for (int nID : {IDC_ACL_APPLY, IDC_ACL_POLICY_COMBO, IDC_ACL_LIST, IDC_ACL_MAC_EDIT,
                    IDC_ACL_ADD, IDC_ACL_DELETE, IDC_ACL_REMOVE_ALL})
        EXPECT_FALSE(view(nID).enabled) << nID;
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(page(), IDC_ACL_MODIFY_EDIT));
    // Over the row: its left and top, 90 wide; the buttons 91 and 147 to its right, 55 wide.
    RECT rcRow{};
    ::SendMessageA(::GetDlgItem(page(), IDC_ACL_LIST), LB_GETITEMRECT, 1,
                   platform::PointerParam(&rcRow));
    ::MapWindowPoints(::GetDlgItem(page(), IDC_ACL_LIST), 0, reinterpret_cast<POINT*>(&rcRow), 2);
    RECT rcEdit = view(IDC_ACL_MODIFY_EDIT).rect;
    RECT rcModify = view(IDC_ACL_MODIFY).rect;
    RECT rcCancel = view(IDC_ACL_CANCEL).rect;
    EXPECT_EQ(rcEdit.left, rcRow.left);
    EXPECT_EQ(rcEdit.top, rcRow.top);
    EXPECT_EQ(rcEdit.right - rcEdit.left, 90);
    EXPECT_EQ(rcEdit.bottom - rcEdit.top, rcRow.bottom - rcRow.top - 1);
    EXPECT_EQ(rcModify.left, rcRow.left + 91);
    EXPECT_EQ(rcCancel.left, rcRow.left + 147);
    EXPECT_EQ(rcCancel.right - rcCancel.left, 55);

    // The same address again, another row's, an invalid one: refused, the edit stays.
    for (const auto& [typed, message] : std::vector<std::pair<std::string, std::string>>{
             {Station(2), "Duplicated MAC"},
             {Station(3), "Duplicated MAC"},
             {"0123456789AB", "Multicast MAC Not Accepted"},
             {"02", "Invalid MAC"}})
    {
        ASSERT_TRUE(SetText(page(), std::to_string(IDC_ACL_MODIFY_EDIT), typed));
        auto box = press(IDC_ACL_MODIFY);
        ASSERT_TRUE(box) << typed;
        EXPECT_EQ(box->text, message) << typed;
        EXPECT_TRUE(view(IDC_ACL_MODIFY_EDIT).visible);
    }
    ASSERT_TRUE(SetText(page(), std::to_string(IDC_ACL_MODIFY_EDIT), Station(9)));
    EXPECT_FALSE(press(IDC_ACL_MODIFY));
    EXPECT_EQ(rows(), (Texts{"02-5A-00-00-00-01", "02-5A-00-00-00-09", "02-5A-00-00-00-03"}));
    EXPECT_FALSE(view(IDC_ACL_MODIFY_EDIT).visible);
    EXPECT_TRUE(view(IDC_ACL_APPLY).enabled);
    EXPECT_TRUE(view(IDC_ACL_LIST).enabled);

    // CANCEL, and leaving the page, end the edit without a change.
    startModify(0);
    EXPECT_FALSE(press(IDC_ACL_CANCEL));
    EXPECT_FALSE(view(IDC_ACL_MODIFY).visible);
    EXPECT_TRUE(view(IDC_ACL_POLICY_COMBO).enabled);
    startModify(2);
    activate(1);
    EXPECT_FALSE(view(IDC_ACL_MODIFY_EDIT).visible);
    EXPECT_EQ(view(IDC_ACL_MODIFY_EDIT).text, "");
    EXPECT_EQ(rows().size(), 3u);
}

} // namespace
