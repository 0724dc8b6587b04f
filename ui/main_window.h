// The program's one window, as data: main_window.cpp holds its settings, its eleven
// controls and its four bindings.
#pragma once

#include <string_view>

#include "ui/window_definition.h"

namespace ui {

const WindowDefinition& MainWindow();

// The controls the program addresses by name.
extern const std::string_view AnswerBox;
extern const std::string_view CheckButton;

}  // namespace ui
