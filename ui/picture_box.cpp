// How the picture box paints itself.
#include "ui/picture_box.h"

#include "ui/texts.h"

namespace ui {

void PictureBox::Paint(platform::Canvas& canvas, const platform::Rectangle& updateArea) {
    if (updateArea.IsEmpty()) return;
    const platform::Size size = canvas.AreaSize();
    canvas.FillRectangle({0, 0, size.width, size.height}, platform::DialogFaceColour());
    if (picture_) canvas.DrawPicture({picture_->width, picture_->height, picture_->redGreenBlue}, {0, 0});
}

std::string PictureBox::AccessibleText() const { return std::string(texts::AppealPictureDescription); }

}  // namespace ui
