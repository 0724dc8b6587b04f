// The files compiled into the program, so that it reads nothing from disk at run time.
#pragma once

#include <cstdint>
#include <span>

namespace resources {

std::span<const std::uint8_t> ApplicationIcon();  // yuvovip.ico
std::span<const std::uint8_t> AppealPicture();    // appeal.jpg
std::span<const std::uint8_t> PointingHand();     // pointing_hand.cur

}  // namespace resources
