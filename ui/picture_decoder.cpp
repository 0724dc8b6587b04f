// The JPEG decoding of the picture box, over libjpeg's release-6 interface.
#include "ui/picture_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace ui {
namespace {

// The standard error manager, with an error exit that abandons the decoding and
// messages (warnings such as an early end of data) kept to ourselves.
struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf abandon;
};

[[noreturn]] void AbandonDecoding(j_common_ptr decoder) {
    std::longjmp(reinterpret_cast<ErrorManager*>(decoder->err)->abandon, 1);
}

void KeepQuiet(j_common_ptr) {}

bool IsJpeg(std::span<const std::uint8_t> file) { return file[0] == 0xFF && file[1] == 0xD8; }

// Fills `picture` row by row. Only plain data lives between setjmp and a possible
// longjmp; the picture's storage belongs to the caller, which drops it on failure.
bool DecodeJpeg(std::span<const std::uint8_t> file, DecodedPicture& picture) {
    jpeg_decompress_struct decoder;
    ErrorManager errors;
    decoder.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = AbandonDecoding;
    errors.standard.output_message = KeepQuiet;
    if (setjmp(errors.abandon)) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&decoder, TRUE);
    const bool tooLarge =
        std::uint64_t{decoder.image_width} * std::uint64_t{decoder.image_height} > LargestPicturePixels;
    const bool colourOrGrey = decoder.out_color_space == JCS_RGB || decoder.out_color_space == JCS_GRAYSCALE;
    if (tooLarge || !colourOrGrey) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    jpeg_start_decompress(&decoder);
    const int components = decoder.output_components;
    if (components != 1 && components != 3) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    picture.width = static_cast<int>(decoder.output_width);
    picture.height = static_cast<int>(decoder.output_height);
    const std::size_t rowPixels = decoder.output_width;
    picture.redGreenBlue.resize(rowPixels * 3 * decoder.output_height);
    JSAMPARRAY row = (*decoder.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&decoder), JPOOL_IMAGE,
                                                  static_cast<JDIMENSION>(rowPixels * static_cast<std::size_t>(components)), 1);
    while (decoder.output_scanline < decoder.output_height) {
        std::uint8_t* target = picture.redGreenBlue.data() + std::size_t{decoder.output_scanline} * rowPixels * 3;
        jpeg_read_scanlines(&decoder, row, 1);
        if (components == 3) {
            std::memcpy(target, row[0], rowPixels * 3);
        } else {
            for (std::size_t pixel = 0; pixel < rowPixels; ++pixel)
                std::memset(target + pixel * 3, row[0][pixel], 3);
        }
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return true;
}

}  // namespace

std::optional<DecodedPicture> DecodePicture(std::span<const std::uint8_t> file) {
    if (file.size() <= 5 || !IsJpeg(file)) return std::nullopt;
    DecodedPicture picture;
    if (!DecodeJpeg(file, picture)) return std::nullopt;
    return picture;
}

}  // namespace ui
