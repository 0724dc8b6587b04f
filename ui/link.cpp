// How the link paints itself and follows the pointer.
#include "ui/link.h"

namespace ui {

std::string_view Link::Text() const {
    return settings_.caption.empty() ? settings_.webAddress : settings_.caption;
}

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
    if (!hovered_) {
        hovered_ = true;
        platform::Repaint(self);
        platform::HoldPointer(self);
        return;
    }
    const platform::Size size = platform::ControlSize(self);
    if (!platform::Rectangle{0, 0, size.width, size.height}.Contains(position)) {
        hovered_ = false;
        platform::LetGoOfPointer(self);
        platform::Repaint(self);
    } else if (!platform::HoldsPointer(self)) {
        platform::HoldPointer(self);
    }
}

}  // namespace ui
