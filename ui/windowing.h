// The windowing component as the program's entry routine and handlers see it: the
// program's life (framework, start-up, event loop, orderly end), reading a control's
// text and showing message boxes. It builds the window from its definition, keeps the
// window's rules and hands control events to the bound handlers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ui/window_definition.h"

namespace ui {

// A handler's result is handed back to the event's sender; none counts as 0.
using Handler = std::optional<std::int32_t> (*)(platform::EventArguments arguments);

struct HandlerEntry {
    HandlerId id;
    Handler handler;
};

using EntryRoutine = int (*)();
using ExitRoutine = void (*)();

// What could not be made, as GBK text for the error box.
struct StartupFailure {
    std::string what;
};

inline constexpr int StartupFailureStatus = -1;

// Starts the toolkit, calls the entry routine once and then ends the program in
// order, or as a start-up failure. Gives the process's exit status.
int RunFramework(int& argumentCount, char** arguments, EntryRoutine entryRoutine);

// ---- Called by the entry routine, in this order --------------------------------

std::optional<StartupFailure> InitWindowing(const WindowDefinition& definition, std::span<const HandlerEntry> handlers);
void RegisterExitRoutine(ExitRoutine routine);
// Builds and shows the window. On failure nothing is shown; what was made stays
// hidden until the program lets go of it.
std::optional<StartupFailure> LoadWindow(const WindowDefinition& definition);
void RunEventLoop();
// Stops every handler, shows the error box and gives the status the entry routine
// returns.
int EndWithStartupFailure(const StartupFailure& failure);

// ---- Called by handlers -------------------------------------------------------

enum class TextProperty { Content };

// The control's current text as a new GBK text owned by the caller, or null when the
// control is empty (or is not an entry field of a window that exists).
char* ReadControlText(const WindowDefinition& window, std::string_view control, TextProperty property);
// Frees a text from ReadControlText; null is ignored.
void ReleaseText(char* text);
// How many texts from ReadControlText are not released yet.
std::size_t TextsHeld();

enum class ButtonSet { Ok = 0 };

// A message box with the text; without a title the caption is "信息：".
void ShowMessageBox(const char* text, ButtonSet buttons, const char* title);

}  // namespace ui
