// Conversions between the program's GBK texts and the toolkit's Unicode strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform::qt {

QString FromGbk(std::string_view text);

// GBK bytes of the text. A character that GBK cannot hold, and a NUL character,
// each become one "?", so the result never holds a NUL and never drops the rest.
std::string ToGbk(const QString& text);

}  // namespace platform::qt
