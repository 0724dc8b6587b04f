// The link's decisions, free of any toolkit.
#include "ui/link_rules.h"

namespace ui {

HoverOutcome FollowPointer(bool hovered, bool pointerInside, bool holdsPointer) {
    if (!hovered) {
        if (!pointerInside) return {};
        return {.hovered = true, .hold = PointerHold::Take, .repaint = true};
    }
    if (!pointerInside) return {.hovered = false, .hold = PointerHold::LetGo, .repaint = true};
    return {.hovered = true, .hold = holdsPointer ? PointerHold::Keep : PointerHold::Take};
}

Colour LinkColour(const LinkSettings& settings, bool hovered, bool visited) {
    if (hovered) return settings.hoverColour;
    if (visited) return settings.visitedColour;
    return settings.linkColour;
}

std::string TargetAddress(const LinkSettings& settings) {
    if (settings.opens == LinkTarget::WebAddress) return std::string(settings.webAddress);
    if (settings.emailAddress.empty()) return {};
    return "mailto:" + std::string(settings.emailAddress);
}

}  // namespace ui
