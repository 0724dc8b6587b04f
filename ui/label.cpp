// How a label paints itself on every repaint.
#include "ui/label.h"

namespace ui {

void Label::Paint(platform::Canvas& canvas, const platform::Rectangle& updateArea) {
    if (updateArea.IsEmpty()) return;
    const platform::Size size = canvas.AreaSize();
    const platform::Rectangle whole{0, 0, size.width, size.height};
    canvas.FillRectangle(whole, platform::DialogFaceColour());
    if (settings_.caption.empty()) return;
    // Wrapped text always starts at the top edge: the vertical alignment applies only
    // to a single line.
    const platform::TextLayout layout{
        .horizontal = settings_.horizontal,
        .vertical = settings_.wrapping == platform::Wrapping::WrapToWidth ? platform::VerticalAlignment::Top
                                                                          : settings_.vertical,
        .wrapping = settings_.wrapping,
    };
    canvas.DrawText(settings_.caption, whole, layout, settings_.font, settings_.textColour);
}

}  // namespace ui
