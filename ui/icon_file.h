// Reading Windows icon and cursor files: an icon file's directory, the rule that
// picks the window's large and small icons from it, turning one 32-bit image into
// plain pixels, and a two-colour cursor with its hot spot.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ui {

struct IconEntry {
    int width = 0;
    int height = 0;
    int colourCount = 0;
    int planes = 0;
    int bitsPerPixel = 0;
    std::uint32_t byteCount = 0;
    std::uint32_t offset = 0;
};

// The directory's entries, or nothing when the file is not an icon file or an entry
// points outside it.
std::optional<std::vector<IconEntry>> ReadIconDirectory(std::span<const std::uint8_t> file);

struct IconChoice {
    std::size_t large = 0;
    std::size_t small = 0;
};

// Large: the first 32-pixel-wide image with a colour count of 16 or more; small: the
// first such 16-pixel-wide one; where none qualifies, the last image of the file.
// The directory must not be empty.
IconChoice ChooseIcons(std::span<const IconEntry> entries);

struct IconPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> blueGreenRedAlpha;  // rows top first
};

// The pixels of one uncompressed 32-bit image, or nothing for any other layout.
std::optional<IconPixels> DecodeIconImage(std::span<const std::uint8_t> file, const IconEntry& entry);

struct CursorPixels {
    int width = 0;
    int height = 0;
    int hotSpotX = 0;
    int hotSpotY = 0;
    // Per pixel, rows top first, 0 or 1: the AND mask (1 lets the screen through) and
    // the XOR bits (1 is white over an opaque pixel).
    std::vector<std::uint8_t> andMask;
    std::vector<std::uint8_t> xorBits;
};

// The first image of a cursor file, when it is an uncompressed two-colour image with
// black as its first colour and white as its second.
std::optional<CursorPixels> ReadCursor(std::span<const std::uint8_t> file);

}  // namespace ui
