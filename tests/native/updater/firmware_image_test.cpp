#include <gtest/gtest.h>

#include <numeric>

#include "TempFile.h"
#include "logic/FirmwareImage.h"

namespace {

uint16_t Sum16(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    uint32_t sum = 0;
    for (size_t i = from; i < from + count && i < bytes.size(); ++i)
        sum += bytes[i];
    return static_cast<uint16_t>(sum);
}

TEST(FirmwareImage, PartialLastBlockIsZeroFilledAndSummedOverTheFileBytes) {
    const auto bytes = PatternBytes(1500);
    TempFile file(bytes);
    FirmwareImage image;
    image.SetPath(file.Path());
    ASSERT_NE(image.Load(), 0);
    EXPECT_EQ(image.Length(), 1500u);
    EXPECT_EQ(image.BlockCount(), 2u);
    const auto block1 = image.Block(1);
    EXPECT_TRUE(std::equal(block1.begin(), block1.begin() + 476, bytes.begin() + 1024));
    EXPECT_TRUE(std::all_of(block1.begin() + 476, block1.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(image.Checksum(0), Sum16(bytes, 0, 1024));
    EXPECT_EQ(image.Checksum(1), Sum16(bytes, 1024, 476));
}

TEST(FirmwareImage, WholeBlocksAndEmptyFile) {
    TempFile four(PatternBytes(4096));
    FirmwareImage image;
    image.SetPath(four.Path());
    ASSERT_NE(image.Load(), 0);
    EXPECT_EQ(image.BlockCount(), 4u);

    TempFile empty({});
    image.SetPath(empty.Path());
    ASSERT_NE(image.Load(), 0);
    EXPECT_EQ(image.Length(), 0u);
    EXPECT_EQ(image.BlockCount(), 0u);
    // The earlier, longer image leaves nothing behind.
    EXPECT_EQ(image.Checksum(0), 0);
    EXPECT_EQ(image.Block(0)[0], 0);
}

TEST(FirmwareImage, ChecksumKeepsTheLow16BitsLowByteFirst) {
    TempFile file(std::vector<uint8_t>(1024, 0xFF));
    FirmwareImage image;
    image.SetPath(file.Path());
    ASSERT_NE(image.Load(), 0);
    // 1024 x 0xFF = 0x3FC00: the mouse receives 00 FC.
    EXPECT_EQ(image.Checksum(0), 0xFC00);
}

TEST(FirmwareImage, FullSizeImageFitsAndLargerIsRefused) {
    TempFile full(std::vector<uint8_t>(204800, 0x01));
    FirmwareImage image;
    image.SetPath(full.Path());
    ASSERT_NE(image.Load(), 0);
    EXPECT_EQ(image.BlockCount(), 200u);
    EXPECT_EQ(image.Checksum(199), 1024);

    TempFile tooLong(std::vector<uint8_t>(204801, 0x01));
    image.SetPath(tooLong.Path());
    EXPECT_EQ(image.Load(), 0);
    EXPECT_EQ(image.Length(), 0u);
    EXPECT_EQ(image.BlockCount(), 0u);
    EXPECT_EQ(image.Checksum(0), 0);

    // A file of many gigabytes is refused from its size alone: it is never read, so this
    // returns at once even though the file is sparse and reading it would take minutes.
    TempFile huge(PatternBytes(10));
    std::filesystem::resize_file(huge.Path(), uint64_t{8} << 30);
    image.SetPath(huge.Path());
    EXPECT_EQ(image.Load(), 0);
    EXPECT_EQ(image.Length(), 0u);
}

TEST(FirmwareImage, MissingFileOrFolderIsALoadFailure) {
    TempFile file(PatternBytes(10));
    FirmwareImage image;
    image.SetPath(file.Folder() / "absent.bin");
    EXPECT_EQ(image.Load(), 0);
    image.SetPath(file.Folder());
    EXPECT_EQ(image.Load(), 0);
}

}  // namespace
