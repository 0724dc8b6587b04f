// The hyperlink kind: a self-painted caption whose colour follows the pointer and
// the outcome of the last opening, and which opens its target on a press.
#pragma once

#include <string>

#include "platform/window_system.h"
#include "ui/link_opening.h"
#include "ui/link_rules.h"
#include "ui/window_definition.h"

namespace ui {

class Link final : public platform::SelfPaintedControl {
public:
    explicit Link(const LinkSettings& settings, Desktop& desktop = SystemDesktop())
        : settings_(settings), desktop_(desktop) {}

    void Paint(platform::Canvas& canvas, const platform::Rectangle& updateArea) override;
    void PointerMoved(platform::Control* self, platform::Point position) override;
    void LeftButtonPressed(platform::Control* self, platform::Point position) override;
    platform::PointerShape Pointer() const override { return platform::PointerShape::PointingHand; }
    platform::AccessibleRole Role() const override { return platform::AccessibleRole::Link; }
    std::string AccessibleText() const override { return std::string(Text()); }


private:
    std::string_view Text() const;

    LinkSettings settings_;
    Desktop& desktop_;
    bool hovered_ = false;
    bool visited_ = false;
};

}  // namespace ui
