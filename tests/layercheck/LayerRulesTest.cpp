// The layer check: which includes it lets through, and that it fails a tree with a wrong one.

#include "tools/layercheck/LayerRules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace
{

using layercheck::CheckInclude;
using layercheck::ProjectLayers;

TEST(LayerRules, EachLayerMayUseOnlyTheLayersBelowItThatItNames)
{
    struct Case
    {
        const char* file;
        const char* include;
        bool allowed;
    } cases[] = {
        {"machine/wlan/WlanService.cpp", "machine/Machine.h", true},
        {"machine/wlan/WlanService.cpp", "platform/Windows.h", false},
        {"platform/wlan/WlanScan.cpp", "machine/Machine.h", true},
        {"platform/wlan/internal/WlanClient.h", "machine/Machine.h", true},
        {"platform/sync/Mutex.h", "machine/desktop/Desktop.h", false}, // a public header
        {"platform/sync/Mutex.h", "platform/sync/internal/MutexObject.h", false},
        {"platform/sync/Mutex.cpp", "platform/sync/internal/MutexObject.h", true},
        {"platform/base/CString.cpp", "adapter/crypto/Sha1.h", false},
        {"adapter/driver/DriverRequest.cpp", "platform/Windows.h", true},
        {"adapter/driver/DriverRequest.cpp", "machine/Machine.h", false},
        {"adapter/driver/DriverRequest.cpp", "client/access/AdapterState.h", false},
        {"controls/SmartEdit.cpp", "resources/common/DialogScript.h", true},
        {"resources/common/SelCardResources.cpp", "resources/TessarynUI/resource.h", false},
        {"client/monitor/HideDlg.cpp", "adapter/driver/DriverRequest.h", true},
        {"client/monitor/HideDlg.cpp", "controls/SmartEdit.h", true},
        {"client/monitor/HideDlg.cpp", "resources/TessarynUI/resource.h", true},
        {"client/monitor/HideDlg.cpp", "machine/Machine.h", false},
        {"client/monitor/HideDlg.cpp", "client/access/NativeWifiClient.h", true},
        {"client/access/NativeWifiClient.cpp", "client/monitor/HideDlg.h", false},
        {"client/access/NativeWifiClient.cpp", "resources/TessarynUI/resource.h", false},
        {"client/monitor/HideDlg.cpp", "platform/wlan/internal/WlanClient.h", false},
        {"client/monitor/HideDlg.cpp", "uplink/UplinkPickDlg.h", false},
        {"resources/TessarynUI/AboutResources.cpp", "accesspoint/HideDlg.h", false},
        {"accesspoint/HideDlg.cpp", "adapter/discovery/SelCardDlg.h", true},
        {"accesspoint/HideDlg.cpp", "client/monitor/HideDlg.h", false},
        {"uplink/UplinkPickDlg.cpp", "resources/common/DialogScript.h", true},
        {"tests/client/monitor/MonitorTest.cpp", "machine/Machine.h", true},
        {"tests/platform/wlan/WlanScanTest.cpp", "platform/wlan/internal/WlanClient.h", true},
        {"tools/vnmachine/main.cpp", "client/monitor/HideDlg.h", true},
        {"client/monitor/HideDlg.cpp", "third_party/x.h", false}, // no layer
        {"scratch/x.cpp", "platform/Windows.h", false},
    };
    for (const Case& c : cases)
    {
        auto reason = CheckInclude(c.file, c.include, ProjectLayers());
        EXPECT_EQ(!reason.has_value(), c.allowed)
            << c.file << " -> " << c.include << ": " << reason.value_or("allowed");
    }
}

TEST(LayerRules, ReasonNamesBothLayers)
{
    auto reason = CheckInclude("adapter/driver/DriverRequest.cpp", "client/access/AdapterState.h",
                               ProjectLayers());
    ASSERT_TRUE(reason);
    EXPECT_EQ(*reason, "shared may not include client/access/AdapterState.h (client access)");
}

class LayerTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = std::filesystem::temp_directory_path() /
               ("layercheck-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    void write(const std::string& path, const std::string& text)
    {
        std::filesystem::create_directories((root / path).parent_path());
        std::ofstream(root / path) << text;
    }

    std::filesystem::path root;
};

TEST_F(LayerTree, AWrongIncludeFailsTheTreeWithItsLine)
{
    write("machine/Machine.h", "#pragma once\n");
    write("platform/Windows.h", "#pragma once\n#include \"platform/base/WinTypes.h\"\n");
    write("adapter/driver/DriverRequest.cpp", "#include \"platform/Windows.h\"\n");
    write("client/monitor/HideDlg.cpp",
          "// the monitor\n#include \"adapter/driver/DriverRequest.h\"\n"
          "  #  include \"machine/Machine.h\"\n#include <vector>\n");
    write("client/monitor/Notes.txt", "#include \"machine/Machine.h\"\n"); // not a source file

    layercheck::Report report = layercheck::CheckTree(root, ProjectLayers());
    EXPECT_EQ(report.files, 4);
    EXPECT_EQ(report.includes, 4);
    ASSERT_EQ(report.violations.size(), 1u);
    EXPECT_EQ(layercheck::Describe(report.violations[0]),
              "client/monitor/HideDlg.cpp:3: client may not include machine/Machine.h (machine)");
}

TEST_F(LayerTree, ATreeThatKeepsItsLayersPasses)
{
    write("platform/sync/Mutex.h", "#include \"platform/base/WinTypes.h\"\n");
    write("platform/sync/internal/MutexObject.h", "#include \"machine/desktop/Desktop.h\"\n");
    write("tests/platform/sync/MutexTest.cpp",
          "#include \"platform/sync/internal/MutexObject.h\"\n");
    EXPECT_TRUE(layercheck::CheckTree(root, ProjectLayers()).violations.empty());
}

} // namespace
