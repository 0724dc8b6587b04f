// The shape of a window definition: the window's own settings, its controls in
// definition order with each kind's settings, and the bindings of handlers to
// (control, event) pairs. The program's one window is written in these terms in
// main_window.cpp; the builder, the keyboard rules and the checks read only these.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "platform/window_system.h"

namespace ui {

using platform::Colour;
using platform::ControlEvent;
using platform::FontDescription;
using platform::Rectangle;

enum class Kind { Label, EditBox, Button, PicBox, HyperLinker };

// Handlers live in app/; the definition names them by these ids.
enum class HandlerId { AnswerCheck, AnswerChanged, Relay };

enum class Background { DialogFace };

struct LabelSettings {
    std::string_view caption{};  // GBK
    Background background = Background::DialogFace;
    platform::HorizontalAlignment horizontal = platform::HorizontalAlignment::Left;
    platform::VerticalAlignment vertical = platform::VerticalAlignment::Centre;
    platform::Wrapping wrapping = platform::Wrapping::OneLine;
    std::optional<FontDescription> font{};  // none: the default GUI font
    Colour textColour = 0x00000000;
};

// Which of its addresses a link opens.
enum class LinkTarget { WebAddress, EmailAddress };

struct LinkSettings {
    std::string_view caption{};  // GBK
    LinkTarget opens = LinkTarget::WebAddress;
    std::string_view webAddress{};
    std::string_view emailAddress{};
    Colour linkColour = 0;
    Colour visitedColour = 0;
    Colour hoverColour = 0;
    Background background = Background::DialogFace;
    std::optional<FontDescription> font{};
};

struct EditBoxSettings {};

enum class ButtonRole { Normal, Default };

struct ButtonSettings {
    std::string_view caption{};  // GBK
    ButtonRole role = ButtonRole::Normal;
};

struct PicBoxSettings {
    Background background = Background::DialogFace;
    std::span<const std::uint8_t> picture{};  // the stored picture file
};

using KindSettings = std::variant<LabelSettings, EditBoxSettings, ButtonSettings, PicBoxSettings, LinkSettings>;

Kind KindOf(const KindSettings& settings);
// Whether a control of the kind can ever hold the keyboard focus.
bool CanTakeFocus(Kind kind);
// Whether the kind raises the event at all.
bool KindRaises(Kind kind, ControlEvent event);

struct ControlDefinition {
    std::string_view name{};  // GBK, unique in its window
    Rectangle rectangle{};    // inside the window's sunken edge
    bool visible = true;
    bool disabled = false;
    bool focusable = false;
    int tabOrder = 0;
    KindSettings settings{};
};

struct Binding {
    std::string_view control{};
    ControlEvent event = ControlEvent::Click;
    HandlerId handler = HandlerId::AnswerCheck;
};

enum class StartPosition { StoredPlace, CentredOnScreen };

struct WindowSettings {
    std::string_view title{};  // GBK
    platform::Size outerSize{};
    platform::Point storedPlace{};
    StartPosition startPosition = StartPosition::CentredOnScreen;
    platform::Frame frame = platform::Frame::Sizing;
    platform::ClientEdge clientEdge = platform::ClientEdge::Sunken;
    platform::TitleBarButtons titleBarButtons = platform::TitleBarButtons::CloseOnly;
    std::span<const std::uint8_t> iconFile{};
    bool escCloses = true;
    bool enterMovesFocus = false;
    bool f1OpensHelp = false;
};

struct WindowDefinition {
    WindowSettings window{};
    std::span<const ControlDefinition> controls{};  // definition order
    std::span<const Binding> bindings{};
};

}  // namespace ui
