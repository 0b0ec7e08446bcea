// The skin sheets' fast path: which bitmap files it takes, and that it never points outside one.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/logic/BmpLayout.h"

namespace {

void Put(std::vector<uint8_t>& file, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        file[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A 24-bit file as the art generator writes it, with room for `rows` rows of `width` pixels.
std::vector<uint8_t> Bmp(int32_t width, int32_t height, uint16_t bits = 24,
                         uint32_t compression = 0) {
    const uint32_t rowBytes = (static_cast<uint32_t>(width > 0 ? width : 0) * 3 + 3) & ~3u;
    const uint32_t rows = static_cast<uint32_t>(height < 0 ? -height : height);
    std::vector<uint8_t> file(54 + static_cast<size_t>(rowBytes) * rows, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put(file, 2, static_cast<uint32_t>(file.size()), 4);
    Put(file, 10, 54, 4);
    Put(file, 14, 40, 4);
    Put(file, 18, static_cast<uint32_t>(width), 4);
    Put(file, 22, static_cast<uint32_t>(height), 4);
    Put(file, 26, 1, 2);
    Put(file, 28, bits, 2);
    Put(file, 30, compression, 4);
    return file;
}

bool Read(const std::vector<uint8_t>& file, BmpLayout& layout) {
    return ReadBmpLayout(file.data(), file.size(), file.size(), layout);
}

}  // namespace

TEST(BmpLayout, TakesPlain24BitFilesBothWaysUpWithPaddedRows) {
    BmpLayout layout;
    ASSERT_TRUE(Read(Bmp(3, 2), layout));
    EXPECT_EQ(layout.width, 3);
    EXPECT_EQ(layout.height, 2);
    EXPECT_FALSE(layout.topDown);
    EXPECT_EQ(layout.rowBytes, 12u);  // 9 bytes of pixels padded to four
    EXPECT_EQ(layout.pixelOffset, 54u);

    ASSERT_TRUE(Read(Bmp(4, -5), layout));
    EXPECT_TRUE(layout.topDown);
    EXPECT_EQ(layout.height, 5);
    EXPECT_EQ(layout.rowBytes, 12u);

    // Only the first bytes and the size of the file: how the configurator checks a folder.
    const std::vector<uint8_t> big = Bmp(800, 600);
    ASSERT_TRUE(ReadBmpLayout(big.data(), 54, big.size(), layout));
    EXPECT_EQ(layout.width, 800);
}

TEST(BmpLayout, LeavesEverythingElseToTheSystemDecoders) {
    BmpLayout layout;
    std::vector<uint8_t> file = Bmp(3, 2);
    file.pop_back();  // the last row is one byte short
    EXPECT_FALSE(Read(file, layout));
    EXPECT_EQ(layout.width, 0) << "a refused file leaves no layout behind";

    EXPECT_FALSE(Read(Bmp(3, 2, 32), layout));
    EXPECT_FALSE(Read(Bmp(3, 2, 8), layout));
    EXPECT_FALSE(Read(Bmp(3, 2, 24, 1), layout));  // run-length compressed
    EXPECT_FALSE(Read(Bmp(0, 2), layout));
    EXPECT_FALSE(Read(Bmp(3, 0), layout));
    EXPECT_FALSE(Read(Bmp(16385, 1), layout));
    EXPECT_FALSE(Read(Bmp(1, -16385), layout));

    file = Bmp(3, 2);
    file[0] = 'P';
    EXPECT_FALSE(Read(file, layout));
    file = Bmp(3, 2);
    Put(file, 10, 20, 4);  // pixels said to start inside the headers
    EXPECT_FALSE(Read(file, layout));
    file = Bmp(3, 2);
    Put(file, 10, 0xFFFFFFF0u, 4);  // and far past the end
    EXPECT_FALSE(Read(file, layout));
    file = Bmp(3, 2);
    Put(file, 14, 0x7FFFFFFFu, 4);  // a header longer than the file
    EXPECT_FALSE(Read(file, layout));
    file = Bmp(3, 2);
    Put(file, 26, 2, 2);  // two planes
    EXPECT_FALSE(Read(file, layout));

    file = Bmp(3, 2);
    EXPECT_FALSE(ReadBmpLayout(file.data(), 53, file.size(), layout));
    EXPECT_FALSE(ReadBmpLayout(nullptr, 0, 0, layout));
}
