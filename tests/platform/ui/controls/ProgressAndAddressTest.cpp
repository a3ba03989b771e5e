#include "tests/platform/ui/controls/ControlsTestSupport.h"

namespace
{

using controls_test::Control;

class ProgressAndAddressTest : public controls_test::ControlsTest
{
};

TEST_F(ProgressAndAddressTest, ProgressPositionsStayInRangeAndSteppingWraps)
{
    MakeDialog({Control(PROGRESS_CLASSA, 1501, 0)});
    CProgressCtrl progress;
    progress.Attach(Item(1501));
    progress.SetRange(0, 100);
    EXPECT_EQ(progress.SetPos(40), 0);
    EXPECT_EQ(progress.SetPos(140), 40);
    EXPECT_EQ(progress.GetPos(), 100);
    EXPECT_EQ(progress.SetPos(-5), 100);
    EXPECT_EQ(progress.GetPos(), 0);
    EXPECT_EQ(progress.OffsetPos(30), 0);
    EXPECT_EQ(progress.GetPos(), 30);
    EXPECT_EQ(progress.SetStep(50), 10);
    EXPECT_EQ(progress.StepIt(), 30);
    EXPECT_EQ(progress.GetPos(), 80);
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 30); // past the end it starts over
    int low = -1;
    int high = -1;
    progress.SetRange32(-10, 70000);
    progress.GetRange(low, high);
    EXPECT_EQ(low, -10);
    EXPECT_EQ(high, 70000);
    progress.Detach();
}

TEST_F(ProgressAndAddressTest, AnAddressFieldIsBlankUntilSetAndReadsAsFourBytes)
{
    MakeDialog({Control(WC_IPADDRESSA, 1502, 0)});
    CIPAddressCtrl address;
    address.Attach(Item(1502));
    EXPECT_TRUE(address.IsBlank());
    DWORD value = 0xFFFFFFFF;
    EXPECT_EQ(address.GetAddress(value), 0);
    EXPECT_EQ(value, 0u);

    address.SetAddress(192, 168, 0, 1);
    EXPECT_FALSE(address.IsBlank());
    EXPECT_EQ(address.GetAddress(value), 4);
    EXPECT_EQ(value, MAKEIPADDRESS(192, 168, 0, 1));
    CString text;
    address.GetWindowText(text);
    EXPECT_STREQ(text, "192.168.0.1");

    // Setting the text fills the fields it names.
    address.SetWindowText("10..300.4");
    BYTE b0 = 0, b1 = 0, b2 = 0, b3 = 0;
    EXPECT_EQ(address.GetAddress(b0, b1, b2, b3), 2);
    EXPECT_EQ(b0, 10);
    EXPECT_EQ(b3, 4);
    address.GetWindowText(text);
    EXPECT_STREQ(text, "10...4");

    address.ClearAddress();
    EXPECT_TRUE(address.IsBlank());
    address.Detach();
}

} // namespace
