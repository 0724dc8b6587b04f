// The program's life: the entry routine with its fixed steps, the start-up and exit
// routines, and the handlers that the window's bindings name.
#pragma once

#include "ui/windowing.h"

namespace app {

// Runs the program over the windowing framework; gives the process's exit status.
int Run(int& argumentCount, char** arguments);

}  // namespace app
