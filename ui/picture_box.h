// The picture box kind: a self-painted area showing a picture from its top-left
// corner over the background colour.
#pragma once

#include <optional>

#include "platform/window_system.h"
#include "ui/picture_decoder.h"
#include "ui/window_definition.h"

namespace ui {

class PictureBox final : public platform::SelfPaintedControl {
public:
    // Decodes the picture once; repaints draw from the decoded pixels.
    explicit PictureBox(const PicBoxSettings& settings)
        : settings_(settings), picture_(DecodePicture(settings.picture)) {}

    void Paint(platform::Canvas& canvas, const platform::Rectangle& updateArea) override;
    void PointerMoved(platform::Control*, platform::Point) override {}
    void LeftButtonPressed(platform::Control*, platform::Point) override {}
    platform::PointerShape Pointer() const override { return platform::PointerShape::Arrow; }
    platform::AccessibleRole Role() const override { return platform::AccessibleRole::Picture; }
    std::string AccessibleText() const override;

private:
    PicBoxSettings settings_;
    std::optional<DecodedPicture> picture_;
};

}  // namespace ui
