// What the program asks of the desktop about documents and addresses: opening a
// target with its default handler, the command line registered to open a document
// type, and starting a command line. platform/qt/ answers over GIO.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// How a started program should show its window; the desktop may ignore it.
enum class ShowMode { Normal = 5 };

// Whether the desktop accepted the target, that is, started a program for it.
bool OpenWithDefaultHandler(std::string_view target, std::string_view action, ShowMode show);

// The command line registered to open documents of the extension's type, or nothing.
std::optional<std::string> FindOpenCommand(std::string_view extension);

// Whether the command line's program was started; never through a shell.
bool RunCommandLine(std::string_view commandLine, ShowMode show);

}  // namespace platform
