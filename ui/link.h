// The hyperlink kind: a self-painted caption whose colour follows the pointer and
// the outcome of the last opening, and which opens its target on a press.
#pragma once

#include <string>

#include "platform/window_system.h"
#include "ui/link_opening.h"
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

    // The address an opening goes to: the web address, or "mailto:" and the e-mail
    // address; empty when that address is.
    std::string Target() const;
    bool Hovered() const { return hovered_; }
    bool Visited() const { return visited_; }
    Colour CurrentColour() const;

private:
    std::string_view Text() const;

    LinkSettings settings_;
    Desktop& desktop_;
    bool hovered_ = false;
    bool visited_ = false;
};

}  // namespace ui
