// Converts arbitrary UTF-16 input to GBK as the answer box is read: the result never
// holds a NUL, never reads as the accepted answer unless the input was exactly it,
// and converting it back and forth again is stable.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/qt/gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const QString text = QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
    const std::string gbk = platform::qt::ToGbk(text);
    if (gbk.find('\0') != std::string::npos) __builtin_trap();
    if (gbk == "gnx" && text != QStringLiteral("gnx")) __builtin_trap();
    if (platform::qt::ToGbk(platform::qt::FromGbk(gbk)) != gbk) __builtin_trap();
    return 0;
}
