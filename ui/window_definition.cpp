// What each control kind is and can do, as far as the window's rules need to know.
#include "ui/window_definition.h"

namespace ui {

Kind KindOf(const KindSettings& settings) {
    struct Visitor {
        Kind operator()(const LabelSettings&) const { return Kind::Label; }
        Kind operator()(const EditBoxSettings&) const { return Kind::EditBox; }
        Kind operator()(const ButtonSettings&) const { return Kind::Button; }
        Kind operator()(const PicBoxSettings&) const { return Kind::PicBox; }
        Kind operator()(const LinkSettings&) const { return Kind::HyperLinker; }
    };
    return std::visit(Visitor{}, settings);
}

bool CanTakeFocus(Kind kind) { return kind == Kind::EditBox || kind == Kind::Button; }

bool KindRaises(Kind kind, ControlEvent event) {
    switch (event) {
    case ControlEvent::Click: return kind == Kind::Button;
    case ControlEvent::ContentChanged: return kind == Kind::EditBox;
    case ControlEvent::Relay: return kind == Kind::Label;
    }
    return false;
}

}  // namespace ui
