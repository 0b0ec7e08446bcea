// Runs the skin art generator into a fresh folder and checks what it wrote: every sheet the
// configurator loads and every animation frame, at its size, as a 24-bit BMP at 100 % and a PNG
// at the larger scales, with the state sheets of a window showing the same window.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "skin/logic/BmpLayout.h"
#include "skin/logic/DisplayScale.h"
#include "skin/logic/SkinSheets.h"

namespace fs = std::filesystem;

namespace {

struct Bmp {
    bool ok = false;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    uint32_t compression = 0;
    std::vector<uint8_t> bytes;
    uint32_t dataOffset = 0;

    // Pixel (x, y) from the top as 0xRRGGBB.
    uint32_t Pixel(int x, int y) const {
        size_t row = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
        size_t at =
            dataOffset + static_cast<size_t>(height - 1 - y) * row + static_cast<size_t>(x) * 3;
        return (uint32_t{bytes[at + 2]} << 16) | (uint32_t{bytes[at + 1]} << 8) | bytes[at];
    }
};

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) {
        v = (v << 8) | b[at + i];
    }
    return v;
}

Bmp ReadBmp(const fs::path& path) {
    Bmp bmp;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    bmp.bytes.resize(static_cast<size_t>(size > 0 ? size : 0));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bmp.bytes.data()),
            static_cast<std::streamsize>(bmp.bytes.size()));
    if (bmp.bytes.size() < 54 || bmp.bytes[0] != 'B' || bmp.bytes[1] != 'M') {
        return bmp;
    }
    bmp.dataOffset = Le(bmp.bytes, 10, 4);
    bmp.width = static_cast<int32_t>(Le(bmp.bytes, 18, 4));
    bmp.height = static_cast<int32_t>(Le(bmp.bytes, 22, 4));
    bmp.bitsPerPixel = static_cast<int>(Le(bmp.bytes, 28, 2));
    bmp.compression = Le(bmp.bytes, 30, 4);
    size_t row = (static_cast<size_t>(bmp.width) * 3 + 3) & ~size_t{3};
    bmp.ok = bmp.width > 0 && bmp.height > 0 &&
             bmp.bytes.size() >= bmp.dataOffset + row * static_cast<size_t>(bmp.height);
    return bmp;
}

// A PNG of a larger scale, decoded to 8-bit RGB.
struct Png {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    uint32_t Pixel(int x, int y) const {
        const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 3;
        return (uint32_t{rgb[at]} << 16) | (uint32_t{rgb[at + 1]} << 8) | rgb[at + 2];
    }
};

Png ReadPng(const fs::path& path) {
    Png png;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.string().c_str())) {
        return png;
    }
    image.format = PNG_FORMAT_RGB;
    png.rgb.resize(PNG_IMAGE_SIZE(image));
    png.ok = png_image_finish_read(&image, nullptr, png.rgb.data(), 0, nullptr) != 0;
    png.width = static_cast<int>(image.width);
    png.height = static_cast<int>(image.height);
    return png;
}

class SkinArt : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        temp_ = std::make_unique<TempFolder>("skinart-test");
        folder_ = temp_->Path();
        // 100 % at the folder's top, the larger scales in its subfolders.
        const std::string quoted = "\"" + folder_.string() + "\"";
        std::string command = std::string("\"") + ORVA_SKINART_EXE + "\" " + quoted;
        exitCode_ = std::system(command.c_str());
    }
    static void TearDownTestSuite() { temp_.reset(); }

    static Bmp Sheet(const char* name) { return ReadBmp(folder_ / name); }
    // A sheet or frame of a larger scale, by its 100 % file name.
    static Png Scaled(int percent, const char* name) {
        return ReadPng((folder_ / std::to_string(percent) / name).replace_extension(".png"));
    }

    static inline std::unique_ptr<TempFolder> temp_;
    static inline fs::path folder_;
    static inline int exitCode_ = -1;
};

TEST_F(SkinArt, EverySheetExistsWithItsSizeIn24Bits) {
    ASSERT_EQ(exitCode_, 0);
    for (const SkinSheetFile& sheet : kSkinSheets) {
        Bmp bmp = Sheet(sheet.name);
        ASSERT_TRUE(bmp.ok) << sheet.name;
        EXPECT_EQ(bmp.width, sheet.width) << sheet.name;
        EXPECT_EQ(bmp.height, sheet.height) << sheet.name;
        EXPECT_EQ(bmp.bitsPerPixel, 24) << sheet.name;
        EXPECT_EQ(bmp.compression, 0u) << sheet.name;
        // The configurator copies such sheets in without the system's decoders.
        BmpLayout layout;
        EXPECT_TRUE(ReadBmpLayout(bmp.bytes.data(), bmp.bytes.size(), bmp.bytes.size(), layout))
            << sheet.name;
        EXPECT_EQ(layout.width, sheet.width) << sheet.name;
    }
    EXPECT_EQ(Sheet("main_normal.bmp").width, 800);
    EXPECT_EQ(Sheet("support_page_down.bmp").height, 338);
    EXPECT_EQ(Sheet("Scroll_Over.bmp").height, 222);
}

TEST_F(SkinArt, FourDifferentAnimationFrames) {
    ASSERT_EQ(exitCode_, 0);
    std::vector<std::vector<uint8_t>> frames;
    for (const char* name : kAnalysisFrameFiles) {
        Bmp bmp = Sheet(name);
        ASSERT_TRUE(bmp.ok) << name;
        EXPECT_EQ(bmp.width, kFrameWidth);
        EXPECT_EQ(bmp.height, kFrameHeight);
        EXPECT_EQ(bmp.bitsPerPixel, 24);
        frames.push_back(bmp.bytes);
    }
    for (size_t i = 1; i < frames.size(); ++i) {
        EXPECT_NE(frames[i], frames[i - 1]) << i;
    }
}

TEST_F(SkinArt, StateSheetsShowTheSameWindowAndDifferOnlyOnControls) {
    ASSERT_EQ(exitCode_, 0);
    Bmp normal = Sheet("main_normal.bmp");
    Bmp over = Sheet("main_over.bmp");
    Bmp down = Sheet("main_down.bmp");
    ASSERT_TRUE(normal.ok && over.ok && down.ok);
    // Wording outside the controls (the title) is identical in every state.
    for (int y = 2; y < 24; ++y) {
        for (int x = 10; x < 200; ++x) {
            ASSERT_EQ(normal.Pixel(x, y), over.Pixel(x, y)) << x << "," << y;
        }
    }
    // The OK button's rectangle (616, 566, 55, 24) looks different in each state.
    auto differs = [](const Bmp& a, const Bmp& b) {
        for (int y = 566; y < 590; ++y) {
            for (int x = 616; x < 671; ++x) {
                if (a.Pixel(x, y) != b.Pixel(x, y)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(differs(normal, over));
    EXPECT_TRUE(differs(over, down));
    // The ground is black and the hover look uses the accent green.
    EXPECT_EQ(normal.Pixel(400, 400), 0x000000u);
    bool accent = false;
    for (int x = 616; x < 671 && !accent; ++x) {
        accent = over.Pixel(x, 567) == 0xB3D335u;
    }
    EXPECT_TRUE(accent);
}

TEST_F(SkinArt, MacroBackgroundHasNoStopButtonWhereTheStateSheetsCutIt) {
    ASSERT_EQ(exitCode_, 0);
    Bmp background = Sheet("macro_page_bk.bmp");
    Bmp normal = Sheet("macro_page_normal.bmp");
    ASSERT_TRUE(background.ok && normal.ok);
    bool differs = false;
    for (int y = 144; y < 164 && !differs; ++y) {
        for (int x = 587; x < 699 && !differs; ++x) {
            differs = background.Pixel(x, y) != normal.Pixel(x, y);
        }
    }
    EXPECT_TRUE(differs);
}

TEST_F(SkinArt, EverySheetIsDrawnAtEachLargerScaleWithTheScaledSize) {
    ASSERT_EQ(exitCode_, 0);
    for (const int percent : {125, 150, 200}) {
        const DisplayScale scale = DisplayScale::FromPercent(percent);
        for (const SkinSheetFile& sheet : kSkinSheets) {
            Png png = Scaled(percent, sheet.name);
            ASSERT_TRUE(png.ok) << percent << " " << sheet.name;
            // The size the configurator's windows scale the 100 % size to.
            EXPECT_EQ(png.width, scale.Scale(sheet.width)) << percent << " " << sheet.name;
            EXPECT_EQ(png.height, scale.Scale(sheet.height)) << percent << " " << sheet.name;
        }
        for (const char* name : kAnalysisFrameFiles) {
            Png png = Scaled(percent, name);
            ASSERT_TRUE(png.ok) << percent << " " << name;
            EXPECT_EQ(png.width, scale.Scale(kFrameWidth)) << percent << " " << name;
        }
    }
}

TEST_F(SkinArt, SheetsAt200PercentAreDrawnThereNotBlownUp) {
    ASSERT_EQ(exitCode_, 0);
    Bmp base = Sheet("main_normal.bmp");
    Png large = Scaled(200, "main_normal.bmp");
    ASSERT_TRUE(base.ok && large.ok);
    ASSERT_EQ(large.width, 2 * base.width);
    // Blown up, every 2 x 2 block would hold one colour; drawn at 200 %, the edges of text and
    // curves fall inside the blocks. Flat areas still match the 100 % sheet.
    int split = 0;
    for (int y = 0; y < base.height; ++y) {
        for (int x = 0; x < base.width; ++x) {
            const uint32_t first = large.Pixel(2 * x, 2 * y);
            split += large.Pixel(2 * x + 1, 2 * y) != first ||
                     large.Pixel(2 * x, 2 * y + 1) != first ||
                     large.Pixel(2 * x + 1, 2 * y + 1) != first;
        }
    }
    EXPECT_GT(split, 1000);
    EXPECT_EQ(large.Pixel(2 * 400, 2 * 300), base.Pixel(400, 300));
}

}  // namespace
