// Turning the stored picture file into 24-bit pixels: JPEG through libjpeg.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ui {

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> redGreenBlue;  // rows top first, three bytes a pixel
};

// Pictures with more pixels than this are refused from their header alone.
inline constexpr std::uint64_t LargestPicturePixels = std::uint64_t{8192} * 8192;

// The decoded picture, or nothing for a file of five bytes or fewer, of a format
// other than JPEG, too large, with other than one or three colour components, or on
// which the decoder reports an error. A JPEG that ends early decodes from what it has.
std::optional<DecodedPicture> DecodePicture(std::span<const std::uint8_t> file);

}  // namespace ui
