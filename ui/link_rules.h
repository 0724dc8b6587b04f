// The link's rules as plain decisions: how it follows the pointer, which colour it
// shows and which address it opens.
#pragma once

#include <string>

#include "ui/window_definition.h"

namespace ui {

enum class PointerHold { Keep, Take, LetGo };

struct HoverOutcome {
    bool hovered = false;
    PointerHold hold = PointerHold::Keep;
    bool repaint = false;
    friend bool operator==(const HoverOutcome&, const HoverOutcome&) = default;
};

// One movement of the pointer seen by the link: whether it is hovered afterwards,
// what becomes of its hold on the pointer, and whether it repaints. A link that lost
// its hold for another reason stays hovered until the pointer leaves it.
HoverOutcome FollowPointer(bool hovered, bool pointerInside, bool holdsPointer);

// The hover colour while hovered, else the visited colour after a successful
// opening, else the link colour.
Colour LinkColour(const LinkSettings& settings, bool hovered, bool visited);

// The web address, or "mailto:" and the e-mail address; empty when that address is.
std::string TargetAddress(const LinkSettings& settings);

}  // namespace ui
