// Reading BMP files: every supported depth, both row orders, and clear errors for files
// that are not pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "media/dib.h"
#include "tests/media/bmp_bytes.h"
#include "tests/support/little_endian.h"

namespace {

std::string MessageOf(const std::vector<uint8_t>& bytes, const std::string& name) {
    TDIB dib;
    try {
        dib.LoadFromBytes(bytes, name);
    } catch (const EInvalidGraphic& e) {
        return e.what();
    }
    return "(no error)";
}

BmpLayout TwoByTwo24() {
    BmpLayout b;
    b.width = 2;
    b.height = 2;
    b.bit_count = 24;
    // Bottom-up: the first stored row is the picture's lowest.
    b.rows = {{0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00},  // blue, green
              {0x00, 0x00, 0xFF, 0x80, 0x40, 0x20}}; // red, 0x204080
    return b;
}

} // namespace

TEST(DibDepths, TwentyFourBitsBottomUpPutsTheLastStoredRowAtTheTop) {
    TDIB dib;
    dib.LoadFromBytes(BuildBmp(TwoByTwo24()), "rgb.bmp");
    ASSERT_EQ(dib.Width(), 2);
    ASSERT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.BitCount(), 24);
    EXPECT_EQ(dib.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(1, 0), 0x204080u);
    EXPECT_EQ(dib.Pixel(0, 1), 0x0000FFu);
    EXPECT_EQ(dib.Pixel(1, 1), 0x00FF00u);
}

TEST(DibDepths, TopDownRowsKeepTheirOrder) {
    BmpLayout b = TwoByTwo24();
    b.height = -2;
    TDIB dib;
    dib.LoadFromBytes(BuildBmp(b), "topdown.bmp");
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(dib.Pixel(0, 1), 0xFF0000u);
}

TEST(DibDepths, PalettePicturesOfOneFourAndEightBits) {
    // 1 bit, 10 wide: the row crosses a byte boundary and is padded.
    BmpLayout one;
    one.width = 10;
    one.height = 1;
    one.bit_count = 1;
    one.palette = {0xFFFFFF, 0x008000};
    one.rows = {{0b10100000, 0b01000000}};
    TDIB dib;
    dib.LoadFromBytes(BuildBmp(one), "one.bmp");
    EXPECT_EQ(dib.BitCount(), 1);
    EXPECT_EQ(dib.Pixel(0, 0), 0x008000u);
    EXPECT_EQ(dib.Pixel(1, 0), 0xFFFFFFu);
    EXPECT_EQ(dib.Pixel(2, 0), 0x008000u);
    EXPECT_EQ(dib.Pixel(8, 0), 0xFFFFFFu);
    EXPECT_EQ(dib.Pixel(9, 0), 0x008000u);

    // 4 bits, 3 wide, two rows: high nibble first.
    BmpLayout four;
    four.width = 3;
    four.height = 2;
    four.bit_count = 4;
    four.palette = {0x000000, 0x00FF00, 0xFF0000};
    four.rows = {{0x21, 0x00}, {0x01, 0x20}}; // bottom row, then top row
    dib.LoadFromBytes(BuildBmp(four), "four.bmp");
    EXPECT_EQ(dib.BitCount(), 4);
    EXPECT_EQ(dib.Pixel(0, 0), 0x000000u);
    EXPECT_EQ(dib.Pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(2, 0), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(0, 1), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(1, 1), 0x00FF00u);

    // 8 bits with an index past a short palette: read as black, not a crash.
    BmpLayout eight;
    eight.width = 3;
    eight.height = 1;
    eight.bit_count = 8;
    eight.palette = {0x123456, 0xABCDEF};
    eight.rows = {{1, 0, 200}};
    dib.LoadFromBytes(BuildBmp(eight), "eight.bmp");
    EXPECT_EQ(dib.Pixel(0, 0), 0xABCDEFu);
    EXPECT_EQ(dib.Pixel(1, 0), 0x123456u);
    EXPECT_EQ(dib.Pixel(2, 0), 0x000000u);
}

TEST(DibDepths, SixteenBitsPlainIs555AndBitfieldsMayBe565) {
    BmpLayout plain;
    plain.width = 3;
    plain.height = 1;
    plain.bit_count = 16;
    plain.rows = {{}};
    Put16(plain.rows[0], 0x7C00); // red
    Put16(plain.rows[0], 0x03E0); // green
    Put16(plain.rows[0], 0x4210); // 16/31 of each
    TDIB dib;
    dib.LoadFromBytes(BuildBmp(plain), "555.bmp");
    EXPECT_EQ(dib.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(2, 0), 0x848484u);

    BmpLayout masked = plain;
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    masked.rows = {{}};
    Put16(masked.rows[0], 0xF800);
    Put16(masked.rows[0], 0x07E0);
    Put16(masked.rows[0], 0x001F);
    dib.LoadFromBytes(BuildBmp(masked), "565.bmp");
    EXPECT_EQ(dib.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(dib.Pixel(2, 0), 0x0000FFu);
}

TEST(DibDepths, ThirtyTwoBitsIgnoreTheFourthByte) {
    BmpLayout b;
    b.width = 2;
    b.height = 1;
    b.bit_count = 32;
    b.rows = {{0x10, 0x20, 0x30, 0xFF, 0x01, 0x02, 0x03, 0x00}};
    TDIB dib;
    dib.LoadFromBytes(BuildBmp(b), "32.bmp");
    EXPECT_EQ(dib.Pixel(0, 0), 0x302010u);
    EXPECT_EQ(dib.Pixel(1, 0), 0x030201u);
}

TEST(DibErrors, FilesThatAreNotBitmapsNameTheFile) {
    std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(MessageOf(text, "/game/title.bmp"), "/game/title.bmp: 不正な DIB です");

    std::vector<uint8_t> cut = BuildBmp(TwoByTwo24());
    cut.resize(cut.size() - 3); // pixel data cut short
    EXPECT_EQ(MessageOf(cut, "cut.bmp"), "cut.bmp: 不正な DIB です");

    BmpLayout rle = TwoByTwo24();
    rle.bit_count = 8;
    rle.compression = 1; // run-length coded pictures are not read
    rle.palette = {0};
    EXPECT_EQ(MessageOf(BuildBmp(rle), "rle.bmp"), "rle.bmp: 不正な DIB です");

    BmpLayout empty = TwoByTwo24();
    empty.width = 0;
    EXPECT_EQ(MessageOf(BuildBmp(empty), "empty.bmp"), "empty.bmp: 不正な DIB です");

    BmpLayout huge = TwoByTwo24();
    huge.width = 1 << 20; // a corrupt size must not allocate gigabytes
    huge.height = 1 << 20;
    EXPECT_EQ(MessageOf(BuildBmp(huge), "huge.bmp"), "huge.bmp: 不正な DIB です");
}

TEST(DibErrors, UnsupportedDepthGivesTheBitCount) {
    BmpLayout b = TwoByTwo24();
    b.bit_count = 2;
    EXPECT_EQ(MessageOf(BuildBmp(b), "two.bmp"), "two.bmp: 不正なビット数です (2)");
    b.bit_count = 64;
    EXPECT_EQ(MessageOf(BuildBmp(b), "x.bmp"), "x.bmp: 不正なビット数です (64)");
}

TEST(DibErrors, AFailedLoadKeepsThePreviousPicture) {
    TDIB dib;
    dib.LoadFromBytes(BuildBmp(TwoByTwo24()), "good.bmp");
    EXPECT_THROW(dib.LoadFromBytes({'B', 'M'}, "bad.bmp"), EInvalidGraphic);
    EXPECT_EQ(dib.Width(), 2);
    EXPECT_EQ(dib.Pixel(0, 0), 0xFF0000u);
}

TEST(DibFiles, ReadsAFileAndNamesAMissingOne) {
    const auto dir = std::filesystem::temp_directory_path() / "brannock-dib-test";
    std::filesystem::create_directories(dir);
    const auto path = (dir / "picture.bmp").string();
    const auto bytes = BuildBmp(TwoByTwo24());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    TDIB dib;
    dib.LoadFromFile(path);
    EXPECT_EQ(dib.Pixel(1, 0), 0x204080u);

    const auto missing = (dir / "Image7.bmp").string();
    try {
        dib.LoadFromFile(missing);
        FAIL() << "a missing file loaded";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    std::filesystem::remove_all(dir);
}

namespace {

TEST(DibErrors, APictureSideLongerThan16384IsRefused) {
    const struct {
        int width, height;
        bool loads;
    } cases[] = {
        {16384, 1, true},
        {16385, 1, false}, // a texture side the rasterizer indexes
        {1, 16384, true},
        {1, 16385, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        BmpLayout b;
        b.width = c.width;
        b.height = c.height;
        b.bit_count = 1;
        b.palette = {0x000000, 0xFFFFFF};
        b.rows.assign(static_cast<size_t>(c.height),
                      std::vector<uint8_t>(static_cast<size_t>((c.width + 7) / 8), 0xFF));
        TDIB dib;
        if (c.loads) {
            dib.LoadFromBytes(BuildBmp(b), "big.bmp");
            EXPECT_EQ(dib.Pixel(c.width - 1, c.height - 1), 0xFFFFFFu);
        } else {
            EXPECT_EQ(MessageOf(BuildBmp(b), "big.bmp"), "big.bmp: 不正な DIB です");
        }
    }
}

} // namespace
