// Decoding the picture box's picture: the appeal picture against the reference
// decoder djpeg, and a table of bad and odd files, none of which may crash.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "resources/embedded.h"
#include "ui/picture_decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A JPEG made here with libjpeg, so the odd layouts need no files of their own.
Bytes Encode(int width, int height, int components, J_COLOR_SPACE space) {
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &buffer, &size);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = components;
    encoder.in_color_space = space;
    jpeg_set_defaults(&encoder);
    jpeg_start_compress(&encoder, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width * components));
    while (encoder.next_scanline < encoder.image_height) {
        for (std::size_t at = 0; at < row.size(); ++at)
            row[at] = static_cast<JSAMPLE>((at * 7 + encoder.next_scanline * 13) % 256);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    Bytes file(buffer, buffer + size);
    std::free(buffer);
    jpeg_destroy_compress(&encoder);
    return file;
}

// What djpeg, the reference decoder, makes of the file with its default settings:
// the pixels of its PNM output, spread to three bytes for a grey picture.
std::optional<ui::DecodedPicture> Reference(const Bytes& file) {
    const auto directory = std::filesystem::temp_directory_path();
    const auto input = directory / ("decoder-test-" + std::to_string(getpid()) + ".jpg");
    const auto output = directory / ("decoder-test-" + std::to_string(getpid()) + ".pnm");
    std::ofstream(input, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                 static_cast<std::streamsize>(file.size()));
    const std::string command = "djpeg -pnm -outfile '" + output.string() + "' '" + input.string() + "'";
    const int status = std::system(command.c_str());
    std::ifstream stream(output, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    stream >> magic >> width >> height >> maximum;
    stream.get();
    const Bytes pixels((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    std::filesystem::remove(input);
    std::filesystem::remove(output);
    // djpeg ends with status 2 after a warning, such as data that ends early.
    const bool decoded = WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 2);
    if (!decoded || (magic != "P6" && magic != "P5")) return std::nullopt;
    ui::DecodedPicture picture{width, height, {}};
    for (const std::uint8_t value : pixels) picture.redGreenBlue.insert(picture.redGreenBlue.end(), magic == "P6" ? 1 : 3, value);
    return picture;
}

void ExpectSameAsReference(const Bytes& file, const char* what) {
    const auto reference = Reference(file);
    ASSERT_TRUE(reference) << what << ": djpeg could not decode it";
    const auto decoded = ui::DecodePicture(file);
    ASSERT_TRUE(decoded) << what;
    EXPECT_EQ(decoded->width, reference->width) << what;
    EXPECT_EQ(decoded->height, reference->height) << what;
    EXPECT_TRUE(decoded->redGreenBlue == reference->redGreenBlue) << what << ": pixels differ from djpeg's";
}

Bytes AppealPicture() {
    const auto file = resources::AppealPicture();
    return Bytes(file.begin(), file.end());
}

// The offset of the first marker `code` (FF code) in the file.
std::size_t MarkerAt(const Bytes& file, std::uint8_t code) {
    for (std::size_t at = 0; at + 1 < file.size(); ++at)
        if (file[at] == 0xFF && file[at + 1] == code) return at;
    return file.size();
}

TEST(PictureDecoder, AppealPictureDecodesExactlyAsDjpegDoes) {
    ExpectSameAsReference(AppealPicture(), "appeal picture");
    const auto decoded = ui::DecodePicture(AppealPicture());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 237);
    EXPECT_EQ(decoded->height, 277);
}

TEST(PictureDecoder, AppealPictureIsABaselineJfifWithFullColourResolution) {
    const Bytes file = AppealPicture();
    const Bytes jfifHeader = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x01};
    ASSERT_GT(file.size(), jfifHeader.size());
    EXPECT_TRUE(std::equal(jfifHeader.begin(), jfifHeader.end(), file.begin())) << "JFIF 1.01";
    const std::size_t frame = MarkerAt(file, 0xC0);
    ASSERT_LT(frame + 19, file.size()) << "a baseline frame";
    EXPECT_EQ(MarkerAt(file, 0xC2), file.size()) << "not progressive";
    EXPECT_EQ(file[frame + 4], 8) << "bits per sample";
    EXPECT_EQ(file[frame + 5] << 8 | file[frame + 6], 277) << "height";
    EXPECT_EQ(file[frame + 7] << 8 | file[frame + 8], 237) << "width";
    ASSERT_EQ(file[frame + 9], 3) << "components";
    for (int component = 0; component < 3; ++component)
        EXPECT_EQ(file[frame + 11 + 3 * static_cast<std::size_t>(component)], 0x11) << "sampling of component " << component;
}

TEST(PictureDecoder, AppealTextStaysInsideItsBox) {
    const auto decoded = ui::DecodePicture(AppealPicture());
    ASSERT_TRUE(decoded);
    int yellowInside = 0;
    for (int y = 0; y < decoded->height; ++y) {
        for (int x = 0; x < decoded->width; ++x) {
            const std::uint8_t* pixel = &decoded->redGreenBlue[static_cast<std::size_t>((y * decoded->width + x) * 3)];
            const bool yellow = pixel[0] > 180 && pixel[1] > 150 && pixel[2] < 110 && pixel[0] - pixel[2] > 100;
            if (!yellow) continue;
            const bool inside = x >= 4 && x <= 221 && y >= 16 && y <= 194;
            EXPECT_TRUE(inside) << "text yellow at " << x << "," << y;
            yellowInside += inside;
        }
    }
    EXPECT_GT(yellowInside, 2000) << "nine lines of yellow text";
}

TEST(PictureDecoder, GreyPictureSpreadsEachValueToThreeEqualBytes) {
    const Bytes grey = Encode(33, 17, 1, JCS_GRAYSCALE);
    ExpectSameAsReference(grey, "grey picture");
    const auto decoded = ui::DecodePicture(grey);
    ASSERT_TRUE(decoded);
    for (std::size_t pixel = 0; pixel < decoded->redGreenBlue.size(); pixel += 3) {
        ASSERT_EQ(decoded->redGreenBlue[pixel], decoded->redGreenBlue[pixel + 1]);
        ASSERT_EQ(decoded->redGreenBlue[pixel], decoded->redGreenBlue[pixel + 2]);
    }
}

TEST(PictureDecoder, PictureLargerThanTheBoxDecodesWhole) {
    ExpectSameAsReference(Encode(640, 480, 3, JCS_RGB), "640 × 480");
}

TEST(PictureDecoder, JpegCutShortInsideTheScanCompletesFromWhatItHas) {
    const Bytes whole = AppealPicture();
    const std::size_t scanStart = MarkerAt(whole, 0xDA);
    ASSERT_LT(scanStart, whole.size());
    for (const std::size_t cut : {scanStart + 200, (scanStart + whole.size()) / 2, whole.size() - 2}) {
        const Bytes truncated(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        ExpectSameAsReference(truncated, ("cut at " + std::to_string(cut)).c_str());
    }
}

TEST(PictureDecoder, BadFilesGiveNoPicture) {
    const Bytes appeal = AppealPicture();
    Bytes cutInHeader(appeal.begin(), appeal.begin() + static_cast<std::ptrdiff_t>(MarkerAt(appeal, 0xC0) + 6));
    Bytes corruptMarker = appeal;
    corruptMarker[MarkerAt(appeal, 0xC4) + 1] = 0x02;  // a marker that no JPEG may hold
    Bytes oversized = Encode(16, 16, 3, JCS_RGB);
    const std::size_t frame = MarkerAt(oversized, 0xC0);
    for (const std::size_t at : {frame + 5, frame + 7}) {
        oversized[at] = 0xFF;
        oversized[at + 1] = 0xDC;  // 65500
    }
    struct Case {
        const char* what;
        Bytes file;
    };
    const Case cases[] = {
        {"empty", {}},
        {"five bytes", {0xFF, 0xD8, 0xFF, 0xE0, 0x00}},
        {"six bytes of a JPEG header", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10}},
        {"a PNG signature", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13}},
        {"cut inside the header", cutInHeader},
        {"a corrupted marker", corruptMarker},
        {"a CMYK picture", Encode(8, 8, 4, JCS_CMYK)},
        {"65500 × 65500 declared", oversized},
    };
    for (const Case& test : cases) EXPECT_FALSE(ui::DecodePicture(test.file)) << test.what;
}

}  // namespace
