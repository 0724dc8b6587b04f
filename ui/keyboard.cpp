// The keyboard filter and focus ring, as plain rules over the window definition.
#include "ui/keyboard.h"

#include <algorithm>

namespace ui {
namespace {

bool IsCandidate(const ControlDefinition& control) {
    return control.visible && !control.disabled && control.focusable && CanTakeFocus(KindOf(control.settings));
}

bool IsEnabledDefaultButton(const ControlDefinition& control) {
    const auto* button = std::get_if<ButtonSettings>(&control.settings);
    return button && button->role == ButtonRole::Default && !control.disabled;
}

std::string_view CaptionOf(const ControlDefinition& control) {
    if (const auto* label = std::get_if<LabelSettings>(&control.settings)) return label->caption;
    if (const auto* button = std::get_if<ButtonSettings>(&control.settings)) return button->caption;
    if (const auto* link = std::get_if<LinkSettings>(&control.settings)) return link->caption;
    return {};
}

char LowerAscii(char32_t character) {
    if (character >= U'A' && character <= U'Z') return static_cast<char>(character - U'A' + 'a');
    return static_cast<char>(character);
}

// Whether the caption marks the letter or digit with "&"; "&&" is a plain ampersand.
// A GBK trail byte is never 0x26, so the scan cannot land inside a character.
bool MarksCharacter(std::string_view caption, char32_t character) {
    const bool isLetterOrDigit = (character >= U'0' && character <= U'9') || (character >= U'a' && character <= U'z') ||
                                 (character >= U'A' && character <= U'Z');
    if (!isLetterOrDigit) return false;
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != '&') continue;
        if (caption[at + 1] == '&') {
            ++at;
            continue;
        }
        return LowerAscii(static_cast<unsigned char>(caption[at + 1])) == LowerAscii(character);
    }
    return false;
}

}  // namespace

std::vector<int> FocusRing(const WindowDefinition& definition) {
    std::vector<int> ring;
    for (int index = static_cast<int>(definition.controls.size()) - 1; index >= 0; --index)
        if (IsCandidate(definition.controls[index])) ring.push_back(index);
    std::stable_sort(ring.begin(), ring.end(), [&](int left, int right) {
        return definition.controls[left].tabOrder < definition.controls[right].tabOrder;
    });
    return ring;
}

std::optional<int> InitialFocus(const WindowDefinition& definition) {
    const auto ring = FocusRing(definition);
    if (ring.empty()) return std::nullopt;
    return ring.front();
}

std::optional<int> NextInRing(const std::vector<int>& ring, std::optional<int> current, Direction direction) {
    if (ring.empty()) return std::nullopt;
    const auto found = current ? std::find(ring.begin(), ring.end(), *current) : ring.end();
    if (found == ring.end()) return direction == Direction::Forward ? ring.front() : ring.back();
    const auto position = static_cast<std::size_t>(found - ring.begin());
    if (direction == Direction::Forward) return ring[(position + 1) % ring.size()];
    return ring[(position + ring.size() - 1) % ring.size()];
}

KeyDecision DecideKey(const WindowDefinition& definition, const platform::KeyPress& press,
                      std::optional<int> focusedControl) {
    using platform::Key;
    const auto& controls = definition.controls;
    switch (press.key) {
    case Key::Tab:
        if (press.alt || press.control) return {};
        return {.action = KeyAction::MoveFocus, .direction = press.shift ? Direction::Backward : Direction::Forward};
    case Key::Enter: {
        if (focusedControl && IsEnabledDefaultButton(controls[*focusedControl]))
            return {.action = KeyAction::Click, .control = *focusedControl};
        if (definition.window.enterMovesFocus) return {.action = KeyAction::MoveFocus};
        const auto button = std::find_if(controls.begin(), controls.end(), IsEnabledDefaultButton);
        if (button == controls.end()) return {};
        return {.action = KeyAction::Click, .control = static_cast<int>(button - controls.begin())};
    }
    case Key::Escape:
        if (definition.window.escCloses) return {.action = KeyAction::Close};
        return {};
    case Key::F1:
    case Key::Other:
        break;
    }
    if (!press.alt || press.control || press.character == 0) return {};
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const ControlDefinition& control = controls[index];
        if (!control.visible || control.disabled || !MarksCharacter(CaptionOf(control), press.character)) continue;
        // Of the kinds with a caption only the button acts on its mark.
        if (KindOf(control.settings) == Kind::Button) return {.action = KeyAction::Click, .control = static_cast<int>(index)};
    }
    return {};
}

}  // namespace ui
