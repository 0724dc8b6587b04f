// Icon and cursor files: a 6-byte header, 16-byte directory entries, then each image
// as a 40-byte bitmap header (height doubled), bottom-up pixels and a 1-bit mask. A
// cursor's entry holds its hot spot where an icon's holds planes and bit count.
#include "ui/icon_file.h"

#include <cstring>

namespace ui {
namespace {

std::uint32_t ReadLittle(std::span<const std::uint8_t> bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int byte = width - 1; byte >= 0; --byte) value = (value << 8) | bytes[at + static_cast<std::size_t>(byte)];
    return value;
}

constexpr std::size_t HeaderSize = 6;
constexpr std::size_t EntrySize = 16;
constexpr std::size_t BitmapHeaderSize = 40;

enum class FileType : std::uint32_t { Icon = 1, Cursor = 2 };

std::optional<std::vector<IconEntry>> ReadDirectory(std::span<const std::uint8_t> file, FileType type) {
    if (file.size() < HeaderSize || ReadLittle(file, 0, 2) != 0 || ReadLittle(file, 2, 2) != static_cast<std::uint32_t>(type))
        return std::nullopt;
    const std::size_t count = ReadLittle(file, 4, 2);
    if (count == 0 || file.size() < HeaderSize + count * EntrySize) return std::nullopt;
    std::vector<IconEntry> entries;
    for (std::size_t index = 0; index < count; ++index) {
        const std::size_t at = HeaderSize + index * EntrySize;
        const IconEntry entry{
            .width = file[at] == 0 ? 256 : file[at],
            .height = file[at + 1] == 0 ? 256 : file[at + 1],
            .colourCount = file[at + 2],
            .planes = static_cast<int>(ReadLittle(file, at + 4, 2)),
            .bitsPerPixel = static_cast<int>(ReadLittle(file, at + 6, 2)),
            .byteCount = ReadLittle(file, at + 8, 4),
            .offset = ReadLittle(file, at + 12, 4),
        };
        if (entry.offset > file.size() || entry.byteCount > file.size() - entry.offset) return std::nullopt;
        entries.push_back(entry);
    }
    return entries;
}

// Rows of one bit a pixel, bottom row first and padded to four bytes, as 0 or 1 a
// pixel with the top row first.
std::vector<std::uint8_t> UnpackBits(std::span<const std::uint8_t> rows, int width, int height) {
    const auto rowBytes = static_cast<std::size_t>((width + 31) / 32 * 4);
    std::vector<std::uint8_t> pixels;
    for (int row = height - 1; row >= 0; --row)
        for (int column = 0; column < width; ++column) {
            const std::uint8_t byte = rows[static_cast<std::size_t>(row) * rowBytes + static_cast<std::size_t>(column / 8)];
            pixels.push_back(static_cast<std::uint8_t>((byte >> (7 - column % 8)) & 1));
        }
    return pixels;
}

}  // namespace

std::optional<std::vector<IconEntry>> ReadIconDirectory(std::span<const std::uint8_t> file) {
    return ReadDirectory(file, FileType::Icon);
}

std::optional<CursorPixels> ReadCursor(std::span<const std::uint8_t> file) {
    const auto entries = ReadDirectory(file, FileType::Cursor);
    if (!entries) return std::nullopt;
    const IconEntry& entry = entries->front();
    const auto image = file.subspan(entry.offset, entry.byteCount);
    constexpr std::size_t PaletteSize = 8;
    if (image.size() < BitmapHeaderSize + PaletteSize || ReadLittle(image, 0, 4) != BitmapHeaderSize) return std::nullopt;
    const bool twoColours = ReadLittle(image, 14, 2) == 1 && ReadLittle(image, 16, 4) == 0;
    const bool blackThenWhite = ReadLittle(image, BitmapHeaderSize, 3) == 0 && ReadLittle(image, BitmapHeaderSize + 4, 3) == 0xFFFFFF;
    if (!twoColours || !blackThenWhite || static_cast<std::int32_t>(ReadLittle(image, 4, 4)) != entry.width ||
        static_cast<std::int32_t>(ReadLittle(image, 8, 4)) != 2 * entry.height)
        return std::nullopt;
    const auto maskBytes = static_cast<std::size_t>((entry.width + 31) / 32 * 4 * entry.height);
    if (image.size() < BitmapHeaderSize + PaletteSize + 2 * maskBytes) return std::nullopt;
    const auto bits = image.subspan(BitmapHeaderSize + PaletteSize);
    return CursorPixels{.width = entry.width,
                        .height = entry.height,
                        .hotSpotX = entry.planes,
                        .hotSpotY = entry.bitsPerPixel,
                        .andMask = UnpackBits(bits.subspan(maskBytes, maskBytes), entry.width, entry.height),
                        .xorBits = UnpackBits(bits.subspan(0, maskBytes), entry.width, entry.height)};
}

IconChoice ChooseIcons(std::span<const IconEntry> entries) {
    const auto firstQualifying = [&](int width) {
        for (std::size_t index = 0; index < entries.size(); ++index)
            if (entries[index].width == width && entries[index].colourCount >= 16) return index;
        return entries.size() - 1;
    };
    return {.large = firstQualifying(32), .small = firstQualifying(16)};
}

std::optional<IconPixels> DecodeIconImage(std::span<const std::uint8_t> file, const IconEntry& entry) {
    const auto image = file.subspan(entry.offset, entry.byteCount);
    if (image.size() < BitmapHeaderSize || ReadLittle(image, 0, 4) != BitmapHeaderSize) return std::nullopt;
    const auto width = static_cast<std::int32_t>(ReadLittle(image, 4, 4));
    const auto doubledHeight = static_cast<std::int32_t>(ReadLittle(image, 8, 4));
    const bool plainThirtyTwoBit = ReadLittle(image, 14, 2) == 32 && ReadLittle(image, 16, 4) == 0;
    if (!plainThirtyTwoBit || width != entry.width || doubledHeight != 2 * entry.height) return std::nullopt;
    const auto rowBytes = static_cast<std::size_t>(width) * 4;
    const auto height = static_cast<std::size_t>(entry.height);
    if (image.size() - BitmapHeaderSize < rowBytes * height) return std::nullopt;
    IconPixels pixels{.width = width, .height = entry.height, .blueGreenRedAlpha = std::vector<std::uint8_t>(rowBytes * height)};
    for (std::size_t row = 0; row < height; ++row) {
        const auto source = image.subspan(BitmapHeaderSize + (height - 1 - row) * rowBytes, rowBytes);
        std::memcpy(pixels.blueGreenRedAlpha.data() + row * rowBytes, source.data(), rowBytes);
    }
    return pixels;
}

}  // namespace ui
