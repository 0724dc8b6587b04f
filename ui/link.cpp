// How the link paints itself, follows the pointer and opens its target.
#include "ui/link.h"

namespace ui {
namespace {

bool Inside(platform::Control* self, platform::Point position) {
    const platform::Size size = platform::ControlSize(self);
    return platform::Rectangle{0, 0, size.width, size.height}.Contains(position);
}

}  // namespace

HoverOutcome FollowPointer(bool hovered, bool pointerInside, bool holdsPointer) {
    if (!hovered) {
        if (!pointerInside) return {};
        return {.hovered = true, .hold = PointerHold::Take, .repaint = true};
    }
    if (!pointerInside) return {.hovered = false, .hold = PointerHold::LetGo, .repaint = true};
    return {.hovered = true, .hold = holdsPointer ? PointerHold::Keep : PointerHold::Take};
}

std::string Link::Target() const {
    if (settings_.opens == LinkTarget::WebAddress) return std::string(settings_.webAddress);
    if (settings_.emailAddress.empty()) return {};
    return "mailto:" + std::string(settings_.emailAddress);
}

std::string_view Link::Text() const { return settings_.caption.empty() ? settings_.webAddress : settings_.caption; }

Colour Link::CurrentColour() const {
    if (hovered_) return settings_.hoverColour;
    if (visited_) return settings_.visitedColour;
    return settings_.linkColour;
}

void Link::Paint(platform::Canvas& canvas, const platform::Rectangle& updateArea) {
    if (updateArea.IsEmpty()) return;
    canvas.FillRectangle(updateArea, platform::DialogFaceColour());
    const platform::Size size = canvas.AreaSize();
    canvas.DrawText(Text(), {0, 0, size.width, size.height},
                    {.horizontal = platform::HorizontalAlignment::Centre,
                     .vertical = platform::VerticalAlignment::Centre,
                     .wrapping = platform::Wrapping::OneLine},
                    settings_.font, CurrentColour());
}

// The link holds the pointer while hovered, so that it hears of the pointer leaving.
void Link::PointerMoved(platform::Control* self, platform::Point position) {
    const HoverOutcome outcome = FollowPointer(hovered_, Inside(self, position), platform::HoldsPointer(self));
    hovered_ = outcome.hovered;
    if (outcome.hold == PointerHold::LetGo) platform::LetGoOfPointer(self);
    if (outcome.repaint) platform::Repaint(self);
    if (outcome.hold == PointerHold::Take) platform::HoldPointer(self);
}

// While the link holds the pointer, presses anywhere come to it; only one over the
// link opens it. The user is told nothing either way.
void Link::LeftButtonPressed(platform::Control* self, platform::Point position) {
    if (!Inside(self, position)) return;
    visited_ = OpenTarget(Target(), desktop_);
    if (visited_) platform::Repaint(self);
}

}  // namespace ui
