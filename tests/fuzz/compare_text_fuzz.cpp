// Compares CompareText with a straightforward reference on arbitrary pairs of texts:
// the input is split at its first 0xFF byte, the halves taken as texts up to a NUL,
// and an empty half may also stand for none.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/compare_text.h"

namespace {

int Reference(const std::string& a, const std::string& b) {
    // As unsigned bytes, a proper prefix first; none counts as empty.
    const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
    if (less) return -1;
    return a == b ? 0 : 1;
}

std::string UpToNul(const std::uint8_t* begin, const std::uint8_t* end) {
    return std::string(begin, std::find(begin, end, 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool firstIsNone = data[0] & 1;
    const bool secondIsNone = data[0] & 2;
    const std::uint8_t* end = data + size;
    const std::uint8_t* split = std::find(data + 1, end, 0xFF);
    const std::string a = UpToNul(data + 1, split);
    const std::string b = split == end ? std::string() : UpToNul(split + 1, end);
    const char* left = firstIsNone && a.empty() ? nullptr : a.c_str();
    const char* right = secondIsNone && b.empty() ? nullptr : b.c_str();
    if (app::CompareText(left, right) != Reference(a, b)) __builtin_trap();
    return 0;
}
