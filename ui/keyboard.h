// The window's keyboard and focus rules: which controls the focus visits and in
// which order, where it starts, and what the window does with a key press before
// the focused control sees it. Controls are named by their definition index.
#pragma once

#include <optional>
#include <vector>

#include "platform/window_system.h"
#include "ui/window_definition.h"

namespace ui {

// The focus candidates in Tab order: lowest tab number first and, among equal numbers,
// the control latest in definition order first.
std::vector<int> FocusRing(const WindowDefinition& definition);

// Where the focus goes when the window has no control to give it back to.
std::optional<int> InitialFocus(const WindowDefinition& definition);

enum class Direction { Forward, Backward };

// The next candidate from `current` (or the first or last one when `current` is not
// in the ring), or nothing when the ring is empty.
std::optional<int> NextInRing(const std::vector<int>& ring, std::optional<int> current, Direction direction);

enum class KeyAction { PassOn, MoveFocus, Click, Close };

struct KeyDecision {
    KeyAction action = KeyAction::PassOn;
    int control = -1;                          // for Click
    Direction direction = Direction::Forward;  // for MoveFocus
    friend bool operator==(const KeyDecision&, const KeyDecision&) = default;
};

KeyDecision DecideKey(const WindowDefinition& definition, const platform::KeyPress& press,
                      std::optional<int> focusedControl);

}  // namespace ui
