// Bytewise text comparison with no folding of case, width or spaces.
#include "app/compare_text.h"

namespace app {

int CompareText(const char* a, const char* b) {
    if (!a) return (!b || *b == '\0') ? 0 : -1;
    if (!b) return *a == '\0' ? 0 : 1;
    for (;; ++a, ++b) {
        const auto left = static_cast<unsigned char>(*a);
        const auto right = static_cast<unsigned char>(*b);
        if (left != right) return left < right ? -1 : 1;
        if (left == 0) return 0;
    }
}

}  // namespace app
