// Reading the icon file, choosing the window's icons and decoding an image.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "resources/embedded.h"
#include "ui/icon_file.h"

namespace {

TEST(IconFile, ProgramIconHoldsFiveThirtyTwoBitImagesSmallestFirst) {
    const auto file = resources::ApplicationIcon();
    EXPECT_EQ(file.size(), 70110u);
    const auto entries = ui::ReadIconDirectory(file);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 5u);
    const int sizes[] = {16, 32, 48, 64, 96};
    const std::uint32_t bytes[] = {1128, 4264, 9640, 16936, 38056};
    for (std::size_t index = 0; index < 5; ++index) {
        const ui::IconEntry& entry = (*entries)[index];
        EXPECT_EQ(entry.width, sizes[index]);
        EXPECT_EQ(entry.height, sizes[index]);
        EXPECT_EQ(entry.colourCount, 0);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitsPerPixel, 32);
        EXPECT_EQ(entry.byteCount, bytes[index]);
        const auto pixels = ui::DecodeIconImage(file, entry);
        ASSERT_TRUE(pixels) << sizes[index];
        EXPECT_EQ(pixels->blueGreenRedAlpha.size(), static_cast<std::size_t>(sizes[index] * sizes[index] * 4));
    }
}

TEST(IconFile, ProgramIconGivesTheNinetySixPixelImageForBothIcons) {
    const auto entries = ui::ReadIconDirectory(resources::ApplicationIcon());
    ASSERT_TRUE(entries);
    const ui::IconChoice choice = ui::ChooseIcons(*entries);
    EXPECT_EQ((*entries)[choice.large].width, 96);
    EXPECT_EQ((*entries)[choice.small].width, 96);
}

ui::IconEntry Entry(int width, int colourCount) { return {.width = width, .height = width, .colourCount = colourCount}; }

TEST(IconFile, ChoosesTheFirstQualifyingImageOfEachWidth) {
    struct Case {
        const char* what;
        std::vector<ui::IconEntry> entries;
        std::size_t large;
        std::size_t small;
    };
    const Case cases[] = {
        {"16 colours qualify", {Entry(16, 0), Entry(32, 16), Entry(16, 16), Entry(32, 255), Entry(48, 0)}, 1, 2},
        {"the first of equal images wins", {Entry(32, 200), Entry(32, 16), Entry(16, 20), Entry(16, 30)}, 0, 2},
        {"15 colours do not qualify", {Entry(32, 15), Entry(16, 15), Entry(64, 0)}, 2, 2},
        {"only a large one qualifies", {Entry(32, 16), Entry(16, 0), Entry(48, 0)}, 0, 2},
        {"a single image serves both", {Entry(96, 0)}, 0, 0},
    };
    for (const Case& test : cases) {
        const ui::IconChoice choice = ui::ChooseIcons(test.entries);
        EXPECT_EQ(choice.large, test.large) << test.what;
        EXPECT_EQ(choice.small, test.small) << test.what;
    }
}

// A 2 × 2 icon: a bitmap header with doubled height, bottom row first, then the mask.
std::vector<std::uint8_t> TinyIcon() {
    std::vector<std::uint8_t> file = {0, 0, 1, 0, 1, 0,                   // header, one image
                                      2, 2, 0, 0, 1, 0, 32, 0,            // 2 × 2, 32 bits
                                      0, 0, 0, 0, 22, 0, 0, 0};           // size (set below), offset 22
    const std::uint8_t bitmapHeader[40] = {40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 32, 0};
    file.insert(file.end(), std::begin(bitmapHeader), std::end(bitmapHeader));
    const std::uint8_t bottomRow[] = {1, 2, 3, 255, 4, 5, 6, 255};
    const std::uint8_t topRow[] = {7, 8, 9, 255, 10, 11, 12, 0};
    file.insert(file.end(), std::begin(bottomRow), std::end(bottomRow));
    file.insert(file.end(), std::begin(topRow), std::end(topRow));
    file.insert(file.end(), 8, 0);  // mask: two rows of four bytes
    file[14] = static_cast<std::uint8_t>(file.size() - 22);
    return file;
}

TEST(IconFile, DecodesRowsTopFirst) {
    const auto file = TinyIcon();
    const auto entries = ui::ReadIconDirectory(file);
    ASSERT_TRUE(entries);
    const auto pixels = ui::DecodeIconImage(file, entries->front());
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->blueGreenRedAlpha,
              (std::vector<std::uint8_t>{7, 8, 9, 255, 10, 11, 12, 0, 1, 2, 3, 255, 4, 5, 6, 255}));
}

TEST(IconFile, RefusesBrokenFilesWithoutReadingPastThem) {
    const auto good = TinyIcon();
    auto truncatedDirectory = good;
    truncatedDirectory.resize(10);
    auto pastTheEnd = good;
    pastTheEnd[14] = 200;
    auto wrongType = good;
    wrongType[2] = 2;
    auto noImages = good;
    noImages[4] = 0;
    const std::vector<std::uint8_t> cases[] = {{}, truncatedDirectory, pastTheEnd, wrongType, noImages};
    for (const auto& file : cases) EXPECT_FALSE(ui::ReadIconDirectory(file));

    auto eightBit = good;
    eightBit[22 + 14] = 8;
    const auto entries = ui::ReadIconDirectory(eightBit);
    ASSERT_TRUE(entries);
    EXPECT_FALSE(ui::DecodeIconImage(eightBit, entries->front()));
    auto shortPixels = good;
    shortPixels[14] = 40 + 8;  // the directory claims fewer bytes than the pixels need
    const auto shortEntries = ui::ReadIconDirectory(shortPixels);
    ASSERT_TRUE(shortEntries);
    EXPECT_FALSE(ui::DecodeIconImage(shortPixels, shortEntries->front()));
}

TEST(CursorFile, PointingHandIsTwoColoursWithItsHotSpotAtTheFingertip) {
    const auto cursor = ui::ReadCursor(resources::PointingHand());
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->width, 32);
    EXPECT_EQ(cursor->height, 32);
    EXPECT_EQ(cursor->hotSpotX, 6);
    EXPECT_EQ(cursor->hotSpotY, 1);
    const auto at = [&](int x, int y) { return static_cast<std::size_t>(y * 32 + x); };
    EXPECT_EQ(cursor->andMask[at(6, 1)], 0) << "the fingertip is opaque";
    EXPECT_EQ(cursor->xorBits[at(6, 1)], 0) << "and black";
    EXPECT_EQ(cursor->andMask[at(6, 4)], 0) << "the finger is opaque";
    EXPECT_EQ(cursor->xorBits[at(6, 4)], 1) << "and white";
    for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) {
        EXPECT_EQ(cursor->andMask[at(x, y)], 1) << "corner " << x << "," << y << " shows the screen";
        EXPECT_EQ(cursor->xorBits[at(x, y)], 0);
    }
    EXPECT_FALSE(ui::ReadCursor(resources::ApplicationIcon())) << "an icon file is no cursor";
}

}  // namespace
