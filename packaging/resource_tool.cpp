// Our build tool for the files that describe the program to Windows and to the
// Linux desktop. It runs on the build machine and reads only our own files:
//
//   yuvovip_resource_tool version-info OUT STRINGS FILE_VERSION PRODUCT_VERSION LANGUAGE CODEPAGE
//       OUT: the bytes of the VS_VERSIONINFO resource. STRINGS: UTF-8 lines
//       "Key=Value", written in that order into the one StringTable. LANGUAGE and
//       CODEPAGE are four hexadecimal digits each (0804 04B0).
//   yuvovip_resource_tool icon-group ICO OUTDIR FIRST_ID
//       OUTDIR/icon<width>.bin for every image of the icon file (its RT_ICON
//       resources, ids from FIRST_ID on, in the file's order) and OUTDIR/group.bin
//       (its RT_GROUP_ICON directory).
//   yuvovip_resource_tool cursor-group CUR OUTDIR ID
//       OUTDIR/cursor.bin (the RT_CURSOR resource of the cursor file's one image:
//       hot spot, then the image) and OUTDIR/cursor_group.bin (its RT_GROUP_CURSOR
//       directory, naming it ID).
//   yuvovip_resource_tool hicolor-icons ICO OUTDIR NAME
//       OUTDIR/<w>x<h>/apps/NAME.png for every image of the icon file.
//
// Every text is converted from UTF-8 to UTF-16LE here, so the build machine's
// code page never matters. Plain C++20 and its standard library only.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ------------------------------------------------------------------ bytes

class Writer {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value) {
        U8(static_cast<std::uint8_t>(value & 0xFFu));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value) {
        U16(static_cast<std::uint16_t>(value & 0xFFFFu));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void U32BigEndian(std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) U8(static_cast<std::uint8_t>((value >> shift) & 0xFFu));
    }
    void Append(std::span<const std::uint8_t> more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
    void Append(std::string_view more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
    // Zero bytes up to the next 32-bit boundary, counted from the first byte.
    void AlignTo32Bits() {
        while (bytes_.size() % 4 != 0) U8(0);
    }
    void Patch16(std::size_t at, std::size_t value) {
        if (value > 0xFFFF) throw Failure("a version-information block is longer than 65535 bytes");
        bytes_[at] = static_cast<std::uint8_t>(value & 0xFFu);
        bytes_[at + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    std::size_t Size() const { return bytes_.size(); }
    const Bytes& Data() const { return bytes_; }

private:
    Bytes bytes_;
};

std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    if (at + 2 > bytes.size()) throw Failure("file ends inside a 16-bit field");
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(Read16(bytes, at)) | (static_cast<std::uint32_t>(Read16(bytes, at + 2)) << 16);
}

std::int32_t ReadSigned32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int32_t>(Read32(bytes, at));
}

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure("cannot open " + path.string());
    Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw Failure("cannot read " + path.string());
    return bytes;
}

void WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw Failure("cannot write " + path.string());
}

unsigned long ParseNumber(std::string_view text, int base, unsigned long maximum, std::string_view what) {
    std::string digits(text);
    std::size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(digits, &used, base);
    } catch (const std::exception&) {
        used = 0;
    }
    if (digits.empty() || used != digits.size() || digits.front() == '-' || digits.front() == '+' ||
        value > maximum) {
        throw Failure("not a valid " + std::string(what) + ": \"" + digits + "\"");
    }
    return value;
}

// ---------------------------------------------------------------- UTF-16

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
std::u16string Utf16FromUtf8(std::string_view text) {
    std::u16string out;
    std::size_t i = 0;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    while (i < text.size()) {
        const unsigned lead = byte(i);
        unsigned length = 0;
        char32_t code = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            length = 1, code = lead;
        } else if ((lead & 0xE0u) == 0xC0u) {
            length = 2, code = lead & 0x1Fu, smallest = 0x80;
        } else if ((lead & 0xF0u) == 0xE0u) {
            length = 3, code = lead & 0x0Fu, smallest = 0x800;
        } else if ((lead & 0xF8u) == 0xF0u) {
            length = 4, code = lead & 0x07u, smallest = 0x10000;
        } else {
            throw Failure("text is not UTF-8 (byte " + std::to_string(i) + ")");
        }
        if (i + length > text.size()) throw Failure("text ends inside a UTF-8 sequence");
        for (unsigned k = 1; k < length; ++k) {
            const unsigned next = byte(i + k);
            if ((next & 0xC0u) != 0x80u) throw Failure("text is not UTF-8 (byte " + std::to_string(i + k) + ")");
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            throw Failure("text holds an invalid UTF-8 sequence (byte " + std::to_string(i) + ")");
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FFu)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return out;
}

// ------------------------------------------------------ version information

constexpr std::uint32_t FixedFileInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t FixedFileInfoStructureVersion = 0;
constexpr std::uint32_t OsWindows32 = 0x00000004;  // VOS__WINDOWS32
constexpr std::uint32_t FileTypeApplication = 0x00000001;  // VFT_APP
constexpr std::uint16_t BinaryData = 0;
constexpr std::uint16_t TextData = 1;

// One block of the format: wLength, wValueLength, wType, the key, padding, the
// value, padding, then the children, each starting on a 32-bit boundary.
struct Block {
    std::u16string key;
    std::uint16_t type = TextData;
    Bytes value;
    std::uint16_t value_length = 0;  // bytes for binary values, UTF-16 units (with the 0) for text
    std::vector<Block> children;
};

Block TextBlock(std::u16string key, std::vector<Block> children) {
    return Block{std::move(key), TextData, {}, 0, std::move(children)};
}

Block StringBlock(std::u16string key, const std::u16string& text) {
    Writer value;
    for (char16_t unit : text) value.U16(static_cast<std::uint16_t>(unit));
    value.U16(0);
    if (text.size() + 1 > 0xFFFF) throw Failure("a version string is too long");
    return Block{std::move(key), TextData, value.Data(), static_cast<std::uint16_t>(text.size() + 1), {}};
}

// A block's length ends with its last byte; the padding before the next block
// belongs to the parent.
void WriteBlock(Writer& out, const Block& block) {
    out.AlignTo32Bits();
    const std::size_t start = out.Size();
    out.U16(0);  // wLength, patched below
    out.U16(block.value_length);
    out.U16(block.type);
    for (char16_t unit : block.key) out.U16(static_cast<std::uint16_t>(unit));
    out.U16(0);
    out.AlignTo32Bits();
    out.Append(block.value);
    for (const Block& child : block.children) WriteBlock(out, child);
    out.Patch16(start, out.Size() - start);
}

struct FourPartVersion {
    std::uint32_t most_significant = 0;
    std::uint32_t least_significant = 0;
};

FourPartVersion ParseVersion(std::string_view text) {
    std::array<std::uint32_t, 4> parts{};
    std::size_t part = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = text.find('.', start);
        const std::string_view piece = text.substr(start, dot == std::string_view::npos ? text.npos : dot - start);
        if (part == parts.size()) throw Failure("a version has four parts: \"" + std::string(text) + "\"");
        parts[part++] = static_cast<std::uint32_t>(ParseNumber(piece, 10, 0xFFFF, "version part"));
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    if (part != parts.size()) throw Failure("a version has four parts: \"" + std::string(text) + "\"");
    return {(parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3]};
}

std::vector<std::pair<std::string, std::string>> ReadStrings(const std::filesystem::path& path) {
    const Bytes bytes = ReadFile(path);
    const std::string text(bytes.begin(), bytes.end());
    std::vector<std::pair<std::string, std::string>> strings;
    std::set<std::string> keys;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0) {
            throw Failure(path.string() + ": expected Key=Value, found \"" + line + "\"");
        }
        std::string key = line.substr(0, equals);
        if (!keys.insert(key).second) throw Failure(path.string() + ": " + key + " appears twice");
        strings.emplace_back(std::move(key), line.substr(equals + 1));
    }
    if (strings.empty()) throw Failure(path.string() + ": no strings");
    return strings;
}

std::u16string Hex4(unsigned long value) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    std::u16string out;
    for (int shift = 12; shift >= 0; shift -= 4) out.push_back(static_cast<char16_t>(digits[(value >> shift) & 0xFu]));
    return out;
}

Bytes VersionInfo(const std::vector<std::pair<std::string, std::string>>& strings, std::string_view file_version,
                  std::string_view product_version, unsigned long language, unsigned long codepage) {
    const FourPartVersion file = ParseVersion(file_version);
    const FourPartVersion product = ParseVersion(product_version);

    Writer fixed;
    for (std::uint32_t field : {FixedFileInfoSignature, FixedFileInfoStructureVersion, file.most_significant,
                                file.least_significant, product.most_significant, product.least_significant,
                                std::uint32_t{0} /* flags mask */, std::uint32_t{0} /* flags */, OsWindows32,
                                FileTypeApplication, std::uint32_t{0} /* subtype */, std::uint32_t{0} /* date */,
                                std::uint32_t{0}}) {
        fixed.U32(field);
    }

    std::vector<Block> table;
    for (const auto& [key, value] : strings) table.push_back(StringBlock(Utf16FromUtf8(key), Utf16FromUtf8(value)));

    Writer translation;
    translation.U16(static_cast<std::uint16_t>(language));
    translation.U16(static_cast<std::uint16_t>(codepage));

    Block root{u"VS_VERSION_INFO", BinaryData, fixed.Data(), static_cast<std::uint16_t>(fixed.Size()), {}};
    root.children.push_back(
        TextBlock(u"StringFileInfo", {TextBlock(Hex4(language) + Hex4(codepage), std::move(table))}));
    root.children.push_back(TextBlock(
        u"VarFileInfo",
        {Block{u"Translation", BinaryData, translation.Data(), static_cast<std::uint16_t>(translation.Size()), {}}}));

    Writer out;
    WriteBlock(out, root);
    return out.Data();
}

// -------------------------------------------------------- icons and cursors

constexpr std::uint16_t IconFileType = 1;
constexpr std::uint16_t CursorFileType = 2;
constexpr std::size_t DirectoryHeaderSize = 6;
constexpr std::size_t FileEntrySize = 16;

struct Image {
    unsigned width = 0;   // pixels; the directory's 0 stands for 256
    unsigned height = 0;
    std::uint8_t colour_count = 0;
    std::uint16_t planes_or_hot_x = 0;     // icon files: planes; cursor files: hot spot x
    std::uint16_t bit_count_or_hot_y = 0;  // icon files: bits per pixel; cursor files: hot spot y
    std::span<const std::uint8_t> bytes;
};

std::vector<Image> ReadDirectory(std::span<const std::uint8_t> file, std::uint16_t type, const std::string& name) {
    if (file.size() < DirectoryHeaderSize || Read16(file, 0) != 0 || Read16(file, 2) != type) {
        throw Failure(name + " is not " + (type == IconFileType ? "an icon" : "a cursor") + " file");
    }
    const std::size_t count = Read16(file, 4);
    if (count == 0) throw Failure(name + " holds no image");
    std::vector<Image> images;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = DirectoryHeaderSize + i * FileEntrySize;
        if (entry + FileEntrySize > file.size()) throw Failure(name + ": directory runs past the end of the file");
        const std::size_t size = Read32(file, entry + 8);
        const std::size_t offset = Read32(file, entry + 12);
        if (size == 0 || offset > file.size() || size > file.size() - offset) {
            throw Failure(name + ": image " + std::to_string(i) + " lies outside the file");
        }
        images.push_back(Image{file[entry] == 0 ? 256u : file[entry], file[entry + 1] == 0 ? 256u : file[entry + 1],
                               file[entry + 2], Read16(file, entry + 4), Read16(file, entry + 6),
                               file.subspan(offset, size)});
    }
    return images;
}

constexpr std::array<std::uint8_t, 8> PngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool IsPng(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= PngSignature.size() && std::equal(PngSignature.begin(), PngSignature.end(), bytes.begin());
}

struct BitmapHeader {
    std::uint32_t header_size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // colour rows and mask rows together
    std::uint16_t planes = 0;
    std::uint16_t bit_count = 0;
    std::uint32_t compression = 0;
    std::uint32_t colours_used = 0;
};

BitmapHeader ReadBitmapHeader(std::span<const std::uint8_t> image, const std::string& what) {
    if (image.size() < 40 || Read32(image, 0) < 40) throw Failure(what + " has no bitmap header");
    return BitmapHeader{Read32(image, 0), ReadSigned32(image, 4), ReadSigned32(image, 8), Read16(image, 12),
                        Read16(image, 14), Read32(image, 16), Read32(image, 32)};
}

unsigned long ParseId(std::string_view text) { return ParseNumber(text, 10, 0xFFFF, "resource id"); }

void IconGroup(const std::filesystem::path& icon_file, const std::filesystem::path& out_dir, unsigned long first_id) {
    const Bytes file = ReadFile(icon_file);
    const std::vector<Image> images = ReadDirectory(file, IconFileType, icon_file.string());
    if (first_id + images.size() - 1 > 0xFFFF) throw Failure("icon ids run past 65535");

    Writer group;
    group.U16(0);
    group.U16(IconFileType);
    group.U16(static_cast<std::uint16_t>(images.size()));
    std::set<unsigned> widths;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Image& image = images[i];
        if (!widths.insert(image.width).second) {
            throw Failure(icon_file.string() + " holds two images " + std::to_string(image.width) + " pixels wide");
        }
        std::uint16_t planes = image.planes_or_hot_x;
        std::uint16_t bit_count = image.bit_count_or_hot_y;
        if (!IsPng(image.bytes) && (planes == 0 || bit_count == 0)) {
            const BitmapHeader header = ReadBitmapHeader(image.bytes, icon_file.string());
            planes = header.planes;
            bit_count = header.bit_count;
        }
        group.U8(static_cast<std::uint8_t>(image.width & 0xFFu));
        group.U8(static_cast<std::uint8_t>(image.height & 0xFFu));
        group.U8(image.colour_count);
        group.U8(0);
        group.U16(planes);
        group.U16(bit_count);
        group.U32(static_cast<std::uint32_t>(image.bytes.size()));
        group.U16(static_cast<std::uint16_t>(first_id + i));
        WriteFile(out_dir / ("icon" + std::to_string(image.width) + ".bin"), image.bytes);
    }
    WriteFile(out_dir / "group.bin", group.Data());
}

void CursorGroup(const std::filesystem::path& cursor_file, const std::filesystem::path& out_dir, unsigned long id) {
    const Bytes file = ReadFile(cursor_file);
    const std::vector<Image> images = ReadDirectory(file, CursorFileType, cursor_file.string());
    if (images.size() != 1) throw Failure(cursor_file.string() + " must hold exactly one image");
    const Image& image = images.front();
    if (IsPng(image.bytes)) throw Failure(cursor_file.string() + ": the image must be a bitmap");
    const BitmapHeader header = ReadBitmapHeader(image.bytes, cursor_file.string());
    if (header.width <= 0 || header.width > 0xFFFF || header.height <= 0 || header.height > 0xFFFF) {
        throw Failure(cursor_file.string() + ": the bitmap's size is out of range");
    }

    // RT_CURSOR: the hot spot, then the image as stored in the file.
    Writer cursor;
    cursor.U16(image.planes_or_hot_x);
    cursor.U16(image.bit_count_or_hot_y);
    cursor.Append(image.bytes);
    WriteFile(out_dir / "cursor.bin", cursor.Data());

    // RT_GROUP_CURSOR: the height counts colour and mask rows, as the bitmap does.
    Writer group;
    group.U16(0);
    group.U16(CursorFileType);
    group.U16(1);
    group.U16(static_cast<std::uint16_t>(header.width));
    group.U16(static_cast<std::uint16_t>(header.height));
    group.U16(header.planes);
    group.U16(header.bit_count);
    group.U32(static_cast<std::uint32_t>(cursor.Size()));
    group.U16(static_cast<std::uint16_t>(id));
    WriteFile(out_dir / "cursor_group.bin", group.Data());
}

// -------------------------------------------------------------------- PNG

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::uint8_t b : bytes) crc = table[(crc ^ b) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : bytes) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

// A zlib stream of stored (uncompressed) deflate blocks: icons are small, and
// every PNG reader inflates them.
Bytes ZlibStored(std::span<const std::uint8_t> data) {
    Writer out;
    out.U8(0x78);
    out.U8(0x01);
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(data.size() - at, 0xFFFF);
        const bool last = at + length == data.size();
        out.U8(last ? 1 : 0);
        out.U16(static_cast<std::uint16_t>(length));
        out.U16(static_cast<std::uint16_t>(~length & 0xFFFFu));
        out.Append(data.subspan(at, length));
        at += length;
    } while (at < data.size());
    out.U32BigEndian(Adler32(data));
    return out.Data();
}

void PngChunk(Writer& out, std::string_view type, std::span<const std::uint8_t> data) {
    out.U32BigEndian(static_cast<std::uint32_t>(data.size()));
    Writer typed;
    typed.Append(type);
    typed.Append(data);
    out.Append(typed.Data());
    out.U32BigEndian(Crc32(typed.Data()));
}

// rgba: rows top to bottom, four bytes a pixel, straight alpha.
Bytes Png(unsigned width, unsigned height, std::span<const std::uint8_t> rgba) {
    Writer header;
    header.U32BigEndian(width);
    header.U32BigEndian(height);
    header.U8(8);  // bits a channel
    header.U8(6);  // RGBA
    header.U8(0);  // deflate
    header.U8(0);  // filter method 0: a filter byte before each row
    header.U8(0);  // not interlaced

    Bytes filtered;
    const std::size_t stride = std::size_t{width} * 4;
    for (unsigned row = 0; row < height; ++row) {
        filtered.push_back(0);  // filter type None
        const auto start = rgba.begin() + static_cast<std::ptrdiff_t>(row * stride);
        filtered.insert(filtered.end(), start, start + static_cast<std::ptrdiff_t>(stride));
    }

    Writer out;
    out.Append(PngSignature);
    PngChunk(out, "IHDR", header.Data());
    PngChunk(out, "IDAT", ZlibStored(filtered));
    PngChunk(out, "IEND", {});
    return out.Data();
}

// A 32-bit icon bitmap: BGRA rows bottom to top with straight alpha, then the
// 1-bit AND mask, which counts only when no pixel carries alpha.
Bytes PngFromIconBitmap(const Image& image, const std::string& what) {
    const BitmapHeader header = ReadBitmapHeader(image.bytes, what);
    if (header.bit_count != 32 || header.compression != 0) {
        throw Failure(what + ": only uncompressed 32-bit images can become PNG files");
    }
    const auto width = static_cast<std::size_t>(header.width);
    const auto height = static_cast<std::size_t>(header.height / 2);
    if (header.width <= 0 || header.height <= 0 || width != image.width || height != image.height) {
        throw Failure(what + ": the bitmap's size differs from the directory's");
    }
    const std::size_t pixels_at = header.header_size + std::size_t{header.colours_used} * 4;
    const std::size_t mask_stride = (width + 31) / 32 * 4;
    const std::size_t mask_at = pixels_at + width * height * 4;
    if (mask_at + mask_stride * height > image.bytes.size()) throw Failure(what + ": the bitmap is cut short");

    bool any_alpha = false;
    for (std::size_t i = 0; i < width * height; ++i) any_alpha |= image.bytes[pixels_at + i * 4 + 3] != 0;

    Bytes rgba;
    rgba.reserve(width * height * 4);
    for (std::size_t row = 0; row < height; ++row) {
        const std::size_t stored_row = height - 1 - row;
        for (std::size_t column = 0; column < width; ++column) {
            const std::size_t at = pixels_at + (stored_row * width + column) * 4;
            rgba.push_back(image.bytes[at + 2]);
            rgba.push_back(image.bytes[at + 1]);
            rgba.push_back(image.bytes[at]);
            if (any_alpha) {
                rgba.push_back(image.bytes[at + 3]);
            } else {
                const std::uint8_t mask = image.bytes[mask_at + stored_row * mask_stride + column / 8];
                const bool transparent = (mask >> (7 - column % 8)) & 1u;
                rgba.push_back(transparent ? 0 : 0xFF);
            }
        }
    }
    return Png(image.width, image.height, rgba);
}

void HicolorIcons(const std::filesystem::path& icon_file, const std::filesystem::path& out_dir,
                  const std::string& name) {
    const Bytes file = ReadFile(icon_file);
    for (const Image& image : ReadDirectory(file, IconFileType, icon_file.string())) {
        const std::string size = std::to_string(image.width) + "x" + std::to_string(image.height);
        const std::string what = icon_file.string() + " (" + size + ")";
        const std::filesystem::path out = out_dir / size / "apps" / (name + ".png");
        if (IsPng(image.bytes)) {
            WriteFile(out, image.bytes);
        } else {
            WriteFile(out, PngFromIconBitmap(image, what));
        }
    }
}

// ------------------------------------------------------------------- main

int Usage() {
    std::fputs(
        "usage: yuvovip_resource_tool version-info OUT STRINGS FILE_VERSION PRODUCT_VERSION LANGUAGE CODEPAGE\n"
        "       yuvovip_resource_tool icon-group ICO OUTDIR FIRST_ID\n"
        "       yuvovip_resource_tool cursor-group CUR OUTDIR ID\n"
        "       yuvovip_resource_tool hicolor-icons ICO OUTDIR NAME\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 7 && args[0] == "version-info") {
            const unsigned long language = ParseNumber(args[5], 16, 0xFFFF, "language");
            const unsigned long codepage = ParseNumber(args[6], 16, 0xFFFF, "code page");
            WriteFile(args[1], VersionInfo(ReadStrings(args[2]), args[3], args[4], language, codepage));
        } else if (args.size() == 4 && args[0] == "icon-group") {
            IconGroup(args[1], args[2], ParseId(args[3]));
        } else if (args.size() == 4 && args[0] == "cursor-group") {
            CursorGroup(args[1], args[2], ParseId(args[3]));
        } else if (args.size() == 4 && args[0] == "hicolor-icons") {
            HicolorIcons(args[1], args[2], args[3]);
        } else {
            return Usage();
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "yuvovip_resource_tool: %s\n", failure.what());
        return 1;
    }
    return 0;
}
