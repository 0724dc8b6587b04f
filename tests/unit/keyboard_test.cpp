// The window's focus ring and keyboard filter, over the main window and over made-up
// windows that use the rules this window leaves idle. This file is compiled to GBK
// like the window's own names.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "ui/keyboard.h"
#include "ui/main_window.h"

namespace {

using platform::Key;
using platform::KeyPress;
using ui::Direction;
using ui::KeyAction;
using ui::KeyDecision;

std::vector<std::string_view> Names(const ui::WindowDefinition& window, const std::vector<int>& indices) {
    std::vector<std::string_view> names;
    for (const int index : indices) names.push_back(window.controls[static_cast<std::size_t>(index)].name);
    return names;
}

int IndexOf(const ui::WindowDefinition& window, std::string_view name) {
    for (std::size_t index = 0; index < window.controls.size(); ++index)
        if (window.controls[index].name == name) return static_cast<int>(index);
    return -1;
}

TEST(FocusRing, MainWindowRingIsAnswerBoxButtonAccountBoxPasswordBox) {
    const auto& window = ui::MainWindow();
    EXPECT_EQ(Names(window, ui::FocusRing(window)),
              (std::vector<std::string_view>{"编辑框1", "按钮1", "编辑框2", "编辑框3"}));
    ASSERT_TRUE(ui::InitialFocus(window));
    EXPECT_EQ(window.controls[static_cast<std::size_t>(*ui::InitialFocus(window))].name, "编辑框1");
}

TEST(FocusRing, TabWalksForwardAndShiftTabBackwardWrappingAtTheEnds) {
    const auto& window = ui::MainWindow();
    const auto ring = ui::FocusRing(window);
    const std::string_view forward[] = {"编辑框1", "按钮1", "编辑框2", "编辑框3", "编辑框1"};
    for (std::size_t step = 0; step + 1 < std::size(forward); ++step) {
        const auto next = ui::NextInRing(ring, IndexOf(window, forward[step]), Direction::Forward);
        ASSERT_TRUE(next);
        EXPECT_EQ(window.controls[static_cast<std::size_t>(*next)].name, forward[step + 1]);
        const auto back = ui::NextInRing(ring, IndexOf(window, forward[step + 1]), Direction::Backward);
        ASSERT_TRUE(back);
        EXPECT_EQ(window.controls[static_cast<std::size_t>(*back)].name, forward[step]);
    }
}

TEST(FocusRing, FromOutsideTheRingTabGoesToTheFirstAndShiftTabToTheLast) {
    const std::vector<int> ring = {4, 1, 7};
    EXPECT_EQ(ui::NextInRing(ring, std::nullopt, Direction::Forward), 4);
    EXPECT_EQ(ui::NextInRing(ring, 0, Direction::Backward), 7);
    EXPECT_EQ(ui::NextInRing({}, 3, Direction::Forward), std::nullopt);
}

// A made-up window: tab numbers other than 0, equal numbers, and controls that are
// not candidates (disabled, invisible, not focusable, a label).
const ui::ControlDefinition orderedControls[] = {
    {.name = "a", .focusable = true, .tabOrder = 2, .settings = ui::EditBoxSettings{}},
    {.name = "b", .focusable = true, .tabOrder = -1, .settings = ui::ButtonSettings{}},
    {.name = "c", .focusable = true, .tabOrder = 2, .settings = ui::EditBoxSettings{}},
    {.name = "disabled", .disabled = true, .focusable = true, .tabOrder = 0, .settings = ui::EditBoxSettings{}},
    {.name = "invisible", .visible = false, .focusable = true, .settings = ui::EditBoxSettings{}},
    {.name = "unfocusable", .focusable = false, .settings = ui::EditBoxSettings{}},
    {.name = "label", .focusable = true, .settings = ui::LabelSettings{.caption = "&L"}},
    {.name = "d", .focusable = true, .tabOrder = 5, .settings = ui::ButtonSettings{}},
};
const ui::WindowDefinition orderedWindow{.controls = orderedControls};

TEST(FocusRing, LowerTabNumbersComeFirstAndEqualNumbersLatestDefinedFirst) {
    EXPECT_EQ(Names(orderedWindow, ui::FocusRing(orderedWindow)), (std::vector<std::string_view>{"b", "c", "a", "d"}));
    EXPECT_EQ(ui::InitialFocus(orderedWindow), 1);
}

TEST(KeyFilter, MainWindowKeys) {
    const auto& window = ui::MainWindow();
    const int answerBox = IndexOf(window, "编辑框1");
    const int button = IndexOf(window, "按钮1");
    struct Case {
        const char* what;
        KeyPress press;
        int focused;
        KeyDecision expected;
    };
    const Case cases[] = {
        {"Tab moves on", {.key = Key::Tab}, answerBox, {.action = KeyAction::MoveFocus}},
        {"Shift+Tab moves back", {.key = Key::Tab, .shift = true}, answerBox,
         {.action = KeyAction::MoveFocus, .direction = Direction::Backward}},
        {"Ctrl+Tab goes on", {.key = Key::Tab, .control = true}, answerBox, {}},
        {"Enter in the answer box goes on", {.key = Key::Enter}, answerBox, {}},
        {"Enter on the button goes on", {.key = Key::Enter}, button, {}},
        {"Esc closes", {.key = Key::Escape}, answerBox, {.action = KeyAction::Close}},
        {"F1 goes on", {.key = Key::F1}, answerBox, {}},
        {"Alt+G marks nothing", {.alt = true, .character = U'G'}, answerBox, {}},
        {"a plain letter goes on", {.character = U'g'}, answerBox, {}},
    };
    for (const Case& test : cases) EXPECT_EQ(ui::DecideKey(window, test.press, test.focused), test.expected) << test.what;
}

const ui::ControlDefinition defaultButtonControls[] = {
    {.name = "label", .settings = ui::LabelSettings{.caption = "&Name"}},
    {.name = "hidden", .visible = false, .focusable = true, .settings = ui::ButtonSettings{.caption = "&Hide"}},
    {.name = "disabled default", .disabled = true, .focusable = true,
     .settings = ui::ButtonSettings{.caption = "Off", .role = ui::ButtonRole::Default}},
    {.name = "default", .focusable = true,
     .settings = ui::ButtonSettings{.caption = "&Open", .role = ui::ButtonRole::Default}},
    {.name = "plain", .focusable = true, .settings = ui::ButtonSettings{.caption = "Fish && &Chips"}},
    {.name = "field", .focusable = true, .settings = ui::EditBoxSettings{}},
    {.name = "second default", .focusable = true,
     .settings = ui::ButtonSettings{.caption = "&Hide too", .role = ui::ButtonRole::Default}},
};

TEST(KeyFilter, DefaultButtonsAndMnemonics) {
    const ui::WindowDefinition window{.window = {.escCloses = false}, .controls = defaultButtonControls};
    struct Case {
        const char* what;
        KeyPress press;
        std::optional<int> focused;
        KeyDecision expected;
    };
    const Case cases[] = {
        {"Enter on a focused default button clicks it", {.key = Key::Enter}, 6, {.action = KeyAction::Click, .control = 6}},
        {"Enter elsewhere clicks the first enabled default button", {.key = Key::Enter}, 5,
         {.action = KeyAction::Click, .control = 3}},
        {"Enter with nothing focused clicks it too", {.key = Key::Enter}, std::nullopt,
         {.action = KeyAction::Click, .control = 3}},
        {"Esc goes on when it does not close", {.key = Key::Escape}, 5, {}},
        {"Alt+O clicks the button marked O", {.alt = true, .character = U'O'}, 5, {.action = KeyAction::Click, .control = 3}},
        {"Alt with a lower-case letter matches too", {.alt = true, .character = U'o'}, 5,
         {.action = KeyAction::Click, .control = 3}},
        {"a doubled ampersand marks nothing", {.alt = true, .character = U'C'}, 5,
         {.action = KeyAction::Click, .control = 4}},
        {"the label's mark takes no action", {.alt = true, .character = U'N'}, 5, {}},
        {"an invisible control is passed over", {.alt = true, .character = U'H'}, 5,
         {.action = KeyAction::Click, .control = 6}},
        {"Alt+Ctrl is no mnemonic", {.alt = true, .control = true, .character = U'O'}, 5, {}},
    };
    for (const Case& test : cases) EXPECT_EQ(ui::DecideKey(window, test.press, test.focused), test.expected) << test.what;
}

TEST(KeyFilter, EnterMovesFocusWhenTheWindowSaysSo) {
    const ui::ControlDefinition controls[] = {
        {.name = "field", .focusable = true, .settings = ui::EditBoxSettings{}},
        {.name = "button", .focusable = true, .settings = ui::ButtonSettings{.caption = "Go"}},
    };
    const ui::WindowDefinition window{.window = {.enterMovesFocus = true}, .controls = controls};
    EXPECT_EQ(ui::DecideKey(window, {.key = Key::Enter}, 0), (KeyDecision{.action = KeyAction::MoveFocus}));
}

TEST(KeyFilter, AMarkedLinkOrDisabledButtonTakesNoAltPress) {
    const ui::ControlDefinition controls[] = {
        {.name = "link", .settings = ui::LinkSettings{.caption = "&Web"}},
        {.name = "button", .disabled = true, .focusable = true, .settings = ui::ButtonSettings{.caption = "&Web"}},
    };
    const ui::WindowDefinition window{.controls = controls};
    EXPECT_EQ(ui::DecideKey(window, {.alt = true, .character = U'W'}, std::nullopt), KeyDecision{});
}

}  // namespace
