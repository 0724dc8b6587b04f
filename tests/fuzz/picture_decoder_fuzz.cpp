// Feeds arbitrary bytes to the picture decoder: it must give a picture or none,
// never crash, leak or read outside its input.
#include <cstddef>
#include <cstdint>

#include "ui/picture_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto picture = ui::DecodePicture({data, size});
    if (picture && picture->redGreenBlue.size() != static_cast<std::size_t>(picture->width) * picture->height * 3)
        __builtin_trap();
    return 0;
}
