// How the link paints itself, follows the pointer and opens its target.
#include "ui/link.h"

namespace ui {
namespace {

bool Inside(platform::Control* self, platform::Point position) {
    const platform::Size size = platform::ControlSize(self);
    return platform::Rectangle{0, 0, size.width, size.height}.Contains(position);
}

}  // namespace

std::string_view Link::Text() const { return settings_.caption.empty() ? settings_.webAddress : settings_.caption; }

void Link::Paint(platform::Canvas& canvas, const platform::Rectangle& updateArea) {
    if (updateArea.IsEmpty()) return;
    canvas.FillRectangle(updateArea, platform::DialogFaceColour());
    const platform::Size size = canvas.AreaSize();
    canvas.DrawText(Text(), {0, 0, size.width, size.height},
                    {.horizontal = platform::HorizontalAlignment::Centre,
                     .vertical = platform::VerticalAlignment::Centre,
                     .wrapping = platform::Wrapping::OneLine},
                    settings_.font, LinkColour(settings_, hovered_, visited_));
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
    visited_ = OpenTarget(TargetAddress(settings_), desktop_);
    if (visited_) platform::Repaint(self);
}

}  // namespace ui
