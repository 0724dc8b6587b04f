// Comparing two GBK texts byte by byte, where a missing text counts as empty.
#pragma once

namespace app {

// -1, 0 or 1 as a sorts before, equal to or after b. Bytes compare as unsigned
// values; a proper prefix sorts first; null equals the empty text.
int CompareText(const char* a, const char* b);

}  // namespace app
