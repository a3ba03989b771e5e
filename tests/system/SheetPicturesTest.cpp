// Pictures of the client's main sheet, one per page, drawn by the built machine tool from the
// running program's window tree and read back as images: each is the sheet's rectangle with its
// frame and caption, holds a drawing rather than a blank face, and differs from the others as
// the pages do. With TESSARYN_ARTEFACTS set, the pictures are kept in its "pictures" folder.

#include "tests/system/ClientDesktop.h"

#include <cairo.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

using testing_support::Contains;
using testing_support::WaitUntil;

// The tool's frame round a captioned window (see `vnmachine ui picture --help`).
constexpr int kBorder = 3;
constexpr int kCaption = 18;

struct Picture
{
    int width = 0, height = 0;
    // Within the area looked at (the page).
    std::size_t colours = 0;
    double faceShare = 0; // of the pixels in the dialog face colour
    std::vector<std::uint32_t> pixels;
};

struct Area
{
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The picture, and what it holds within `area` (picture pixels).
Picture readPng(const std::filesystem::path& file, const Area& area)
{
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create_from_png(file.c_str()), &cairo_surface_destroy);
    Picture p;
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return p;
    p.width = cairo_image_surface_get_width(surface.get());
    p.height = cairo_image_surface_get_height(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    std::set<std::uint32_t> seen;
    std::size_t face = 0, inside = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
        {
            std::uint32_t v;
            std::memcpy(&v, data + y * stride + x * 4, 4);
            v &= 0xFFFFFF;
            p.pixels.push_back(v);
            if (x < area.left || x >= area.right || y < area.top || y >= area.bottom)
                continue;
            seen.insert(v);
            face += v == 0xD4D0C8 ? 1 : 0;
            ++inside;
        }
    p.colours = seen.size();
    p.faceShare = inside == 0 ? 1 : static_cast<double>(face) / inside;
    return p;
}

std::filesystem::path pictureFolder(const std::filesystem::path& otherwise)
{
    const char* artefacts = std::getenv("TESSARYN_ARTEFACTS");
    std::filesystem::path dir =
        (artefacts != nullptr && *artefacts != '\0' ? std::filesystem::path(artefacts)
                                                    : otherwise) /
        "pictures";
    std::filesystem::create_directories(dir);
    return dir;
}

class SheetPictures : public testing_support::ClientDesktopTest
{
};

TEST_F(SheetPictures, EachPageOfTheMainSheetIsDrawnAtTheSheetsSize)
{
    testing_support::ChildProcess ui("TessarynUI", {}, m.root());
    const std::string sheet = waitFor(testing_support::kClientSheetCaption);
    // The survey's first scan is in, so its page shows the networks.
    ASSERT_TRUE(WaitUntil([&] { return Contains(show(sheet), "Harbor Guest"); },
                          testing_support::kDesktopPatience));

    const std::filesystem::path dir = pictureFolder(m.root());
    const std::vector<std::pair<std::string, std::string>> pages = {
        {"Profile", "profile.png"},
        {"Link Status", "link-status.png"},
        {"Site Survey", "site-survey.png"},
        {"Statistics", "statistics.png"},
        {"About", "about.png"}};
    std::vector<Picture> drawn;
    for (std::size_t i = 0; i < pages.size(); ++i)
    {
        const auto& [page, name] = pages[i];
        act({"ui", "page", sheet, page});
        const auto shown = vnmachine({"ui", "show", sheet, "--json"});
        ASSERT_EQ(shown.status, 0) << shown.out;
        const auto tree = nlohmann::json::parse(shown.out);
        ASSERT_EQ(tree["active_page"], static_cast<int>(i)) << page;
        const auto& rect = tree["rect"];
        const int left = rect["left"].get<int>(), top = rect["top"].get<int>();
        const int width = rect["right"].get<int>() - left;
        const int height = rect["bottom"].get<int>() - top;
        // The page shown: the sheet's visible child dialog, in the picture's pixels.
        Area area;
        for (const auto& child : tree["children"])
            if (child["kind"] == "dialog" && child["visible"] == true)
            {
                const auto& r = child["rect"];
                area = {r["left"].get<int>() - left + kBorder,
                        r["top"].get<int>() - top + kBorder + kCaption,
                        r["right"].get<int>() - left + kBorder,
                        r["bottom"].get<int>() - top + kBorder + kCaption};
            }
        ASSERT_GT(area.right, area.left) << page << " is not shown";

        const std::filesystem::path file = dir / name;
        std::filesystem::remove(file);
        const auto wrote = vnmachine({"ui", "picture", sheet, file.string()});
        ASSERT_EQ(wrote.status, 0) << wrote.out;
        const Picture p = readPng(file, area);
        EXPECT_EQ(p.width, width + 2 * kBorder) << page;
        EXPECT_EQ(p.height, height + 2 * kBorder + kCaption) << page;
        // The page's texts and controls give many colours; a blank face gives one.
        EXPECT_GT(p.colours, 20u) << page;
        EXPECT_LT(p.faceShare, 0.97) << page;
        drawn.push_back(p);
    }
    for (std::size_t i = 0; i < drawn.size(); ++i)
        for (std::size_t j = i + 1; j < drawn.size(); ++j)
            EXPECT_NE(drawn[i].pixels, drawn[j].pixels)
                << pages[i].first << " and " << pages[j].first;

    // What cannot be drawn is said, and nothing is written.
    const auto missing =
        vnmachine({"ui", "picture", "No Such Window", (dir / "none.png").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(Contains(missing.out, "no window 'No Such Window'")) << missing.out;
    EXPECT_FALSE(std::filesystem::exists(dir / "none.png"));
    const auto unwritable =
        vnmachine({"ui", "picture", sheet, (m.root() / "no-such-folder" / "sheet.png").string()});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(Contains(unwritable.out, "cannot write")) << unwritable.out;
}

} // namespace
