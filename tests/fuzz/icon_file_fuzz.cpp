// Feeds arbitrary bytes to the icon and cursor readers: every directory entry they
// accept must lie inside the file, and decoding any entry must stay inside it too.
#include <cstddef>
#include <cstdint>

#include "ui/icon_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    if (const auto entries = ui::ReadIconDirectory(file)) {
        for (const ui::IconEntry& entry : *entries) {
            if (entry.offset > size || entry.byteCount > size - entry.offset) __builtin_trap();
            if (const auto pixels = ui::DecodeIconImage(file, entry))
                if (pixels->blueGreenRedAlpha.size() != static_cast<std::size_t>(pixels->width) * pixels->height * 4)
                    __builtin_trap();
        }
        const ui::IconChoice choice = ui::ChooseIcons(*entries);
        if (choice.large >= entries->size() || choice.small >= entries->size()) __builtin_trap();
    }
    if (const auto cursor = ui::ReadCursor(file)) {
        const auto pixels = static_cast<std::size_t>(cursor->width) * cursor->height;
        if (cursor->andMask.size() != pixels || cursor->xorBits.size() != pixels) __builtin_trap();
    }
    return 0;
}
