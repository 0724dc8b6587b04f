// The label kind: a self-painted fixed text with its own font, colour and layout.
#pragma once

#include "platform/window_system.h"
#include "ui/window_definition.h"

namespace ui {

class Label final : public platform::SelfPaintedControl {
public:
    explicit Label(const LabelSettings& settings) : settings_(settings) {}

    void Paint(platform::Canvas& canvas, const platform::Rectangle& updateArea) override;
    void PointerMoved(platform::Control*, platform::Point) override {}
    void LeftButtonPressed(platform::Control*, platform::Point) override {}
    platform::PointerShape Pointer() const override { return platform::PointerShape::Arrow; }
    platform::AccessibleRole Role() const override { return platform::AccessibleRole::Label; }
    std::string AccessibleText() const override { return std::string(settings_.caption); }

private:
    LabelSettings settings_;
};

}  // namespace ui
