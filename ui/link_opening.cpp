// The link's opening steps and the building of the fallback command.
#include "ui/link_opening.h"

#include <array>

namespace ui {
namespace {

constexpr std::array<std::string_view, 5> Placeholders = {"%1", "%u", "%U", "%f", "%F"};

// Where a placeholder starts at `at`, how long it is; zero when none does. "%%" is an
// escaped percent sign, never the start of a placeholder.
std::size_t PlaceholderLengthAt(std::string_view command, std::size_t at) {
    for (const std::string_view placeholder : Placeholders)
        if (command.substr(at, placeholder.size()) == placeholder) return placeholder.size();
    return 0;
}

std::optional<std::size_t> FindPlaceholder(std::string_view command) {
    std::optional<std::size_t> firstBare;
    for (std::size_t at = 0; at < command.size(); ++at) {
        if (command.substr(at, 2) == "%%") {
            ++at;
            continue;
        }
        const std::size_t length = PlaceholderLengthAt(command, at);
        if (length == 0) continue;
        const bool quoted = at > 0 && command[at - 1] == '"' && at + length < command.size() && command[at + length] == '"';
        if (quoted) return at - 1;
        if (!firstBare) firstBare = at;
    }
    return firstBare;
}

}  // namespace

std::optional<std::string> FallbackCommand(std::string_view registeredCommand, std::string_view target) {
    if (registeredCommand.size() > LongestLookedUpCommand) return std::nullopt;
    std::string command(registeredCommand.substr(0, FindPlaceholder(registeredCommand).value_or(registeredCommand.size())));
    command.append(" ").append(target);
    if (command.size() > LongestCommandLine) return std::nullopt;
    return command;
}

bool OpenTarget(std::string_view target, Desktop& desktop) {
    if (target.empty()) return false;
    if (desktop.OpenWithDefaultHandler(target)) return true;
    const auto registered = desktop.FindWebPageCommand();
    if (!registered) return false;
    const auto command = FallbackCommand(*registered, target);
    return command && desktop.RunCommandLine(*command);
}

}  // namespace ui
