// GBK conversions over the C library's iconv (code set "GBK", code page 936).
#include "platform/qt/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace platform::qt {
namespace {

constexpr char Replacement = '?';

// One conversion descriptor per direction, opened on first use and reset per call.
class Converter {
public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
    ~Converter() {
        if (descriptor_ != reinterpret_cast<iconv_t>(-1)) iconv_close(descriptor_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of input; each sequence the target cannot hold (or the source holds
    // wrongly) is skipped by one character and written as the replacement.
    std::string Convert(std::string_view input, std::size_t (*skipLength)(std::string_view)) {
        std::string output;
        if (descriptor_ == reinterpret_cast<iconv_t>(-1)) return output;
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        output.resize(input.size() * 2 + 16);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        std::size_t written = 0;
        while (inLeft > 0) {
            char* out = output.data() + written;
            std::size_t outLeft = output.size() - written;
            const std::size_t result = iconv(descriptor_, &in, &inLeft, &out, &outLeft);
            written = output.size() - outLeft;
            if (result != static_cast<std::size_t>(-1)) break;
            if (errno == E2BIG) {
                output.resize(output.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL: the character at `in` has no place in the target.
            const std::size_t skip = std::min(inLeft, skipLength(std::string_view(in, inLeft)));
            in += skip;
            inLeft -= skip;
            if (written == output.size()) output.resize(output.size() * 2);
            output[written++] = Replacement;
        }
        output.resize(written);
        return output;
    }

private:
    iconv_t descriptor_;
};

std::size_t Utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    // A broken sequence is skipped up to its first byte that is not a continuation.
    for (std::size_t at = 1; at < length; ++at)
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) return at;
    return length;
}

std::size_t GbkSequenceLength(std::string_view text) {
    return static_cast<unsigned char>(text.front()) >= 0x81 && text.size() > 1 ? 2 : 1;
}

}  // namespace

QString FromGbk(std::string_view text) {
    static Converter toUtf8("UTF-8", "GBK");
    const std::string utf8 = toUtf8.Convert(text, GbkSequenceLength);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToGbk(const QString& text) {
    static Converter toGbk("GBK", "UTF-8");
    const QByteArray utf8 = text.toUtf8();
    std::string gbk = toGbk.Convert(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                                    Utf8SequenceLength);
    std::replace(gbk.begin(), gbk.end(), '\0', Replacement);
    return gbk;
}

}  // namespace platform::qt
