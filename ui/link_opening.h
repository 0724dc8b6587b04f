// Opening the link's target: the desktop's handler for the address first, then the
// web browser's own command line with the address appended.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// A looked-up command longer than this fails the opening, and so does a command to
// run longer than the second: nothing truncated is ever run.
inline constexpr std::size_t LongestLookedUpCommand = 259;
inline constexpr std::size_t LongestCommandLine = 519;

// The registered command cut at its placeholder, with one space and the target
// appended; nothing when either command is too long. The placeholder is "%1" or a
// field code %u %U %f %F; the first one between double quotes (quotes included)
// wins, else the first one at all; without one nothing is cut.
std::optional<std::string> FallbackCommand(std::string_view registeredCommand, std::string_view target);

// What opening asks of the desktop; the program's own forwards to platform/desktop.h.
class Desktop {
public:
    virtual bool OpenWithDefaultHandler(std::string_view target) = 0;
    virtual std::optional<std::string> FindWebPageCommand() = 0;
    virtual bool RunCommandLine(std::string_view commandLine) = 0;

protected:
    ~Desktop() = default;
};

// The desktop of the running program.
Desktop& SystemDesktop();

// Whether the target was opened, by its handler or by the fallback command.
bool OpenTarget(std::string_view target, Desktop& desktop);

}  // namespace ui
