# Writes OUTPUT, a C++ source defining resources::FUNCTION() over the bytes of INPUT.
# Run as a build step: cmake -DINPUT=… -DOUTPUT=… -DFUNCTION=… -P embed.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.new" "// Generated from ${name} by cmake/embed.cmake; do not edit.
#include \"resources/embedded.h\"

namespace resources {
namespace {
constexpr std::uint8_t bytes[${byte_count}] = {
${bytes}
};
}  // namespace

std::span<const std::uint8_t> ${FUNCTION}() { return bytes; }

}  // namespace resources
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
