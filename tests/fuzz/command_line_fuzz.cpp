// Feeds arbitrary registered command lines to the fallback command's building and
// to the Exec-line splitter: the result never exceeds its bound, always ends with
// the target, and splitting never fails in a way other than refusing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/qt/exec_line.h"
#include "ui/link_opening.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view registered(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view target = "https://www.yuvovip.example/wb008.htm?from=10086&gid=3";
    if (const auto command = ui::FallbackCommand(registered, target)) {
        if (command->size() > ui::LongestCommandLine || registered.size() > ui::LongestLookedUpCommand) __builtin_trap();
        if (command->size() < target.size() + 1 || command->substr(command->size() - target.size()) != target)
            __builtin_trap();
        if (command->compare(0, command->size() - target.size() - 1, registered, 0, command->size() - target.size() - 1) != 0)
            __builtin_trap();
    }
    if (const auto words = platform::qt::SplitExecLine(registered))
        if (words->empty() || words->front().empty()) __builtin_trap();
    return 0;
}
