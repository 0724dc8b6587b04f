// The program's life: the entry routine with its fixed steps, the start-up and exit
// routines, and the handlers that the window's bindings name.
#pragma once

#include <span>

#include "ui/windowing.h"

namespace app {

// Runs the program over the windowing framework; gives the process's exit status.
int Run(int& argumentCount, char** arguments);

// The program's handlers, by the ids the main window's bindings use.
std::span<const ui::HandlerEntry> Handlers();

}  // namespace app
