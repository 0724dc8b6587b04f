// The check a window definition passes before the window is built.
#include <gtest/gtest.h>

#include "ui/definition_check.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace {

using ui::HandlerId;
constexpr HandlerId allHandlers[] = {HandlerId::AnswerCheck, HandlerId::AnswerChanged, HandlerId::Relay};

TEST(DefinitionCheck, MainWindowPassesWithEveryHandlerSupplied) {
    EXPECT_EQ(ui::CheckDefinition(ui::MainWindow(), allHandlers), std::nullopt);
}

TEST(DefinitionCheck, MainWindowFailsWhenAHandlerIsMissing) {
    constexpr HandlerId withoutRelay[] = {HandlerId::AnswerCheck, HandlerId::AnswerChanged};
    const auto fault = ui::CheckDefinition(ui::MainWindow(), withoutRelay);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->reason, ui::texts::MissingHandler);
}

const ui::ControlDefinition twoControls[] = {
    {.name = "box", .settings = ui::EditBoxSettings{}},
    {.name = "button", .settings = ui::ButtonSettings{}},
};
const ui::ControlDefinition sameNameTwice[] = {
    {.name = "box", .settings = ui::EditBoxSettings{}},
    {.name = "box", .settings = ui::ButtonSettings{}},
};

TEST(DefinitionCheck, EachFaultIsNamedWithTheControlAtFault) {
    using platform::ControlEvent;
    const ui::Binding clickOnButton[] = {{.control = "button", .event = ControlEvent::Click}};
    const ui::Binding clickOnNowhere[] = {{.control = "nowhere", .event = ControlEvent::Click}};
    const ui::Binding clickOnBox[] = {{.control = "box", .event = ControlEvent::Click}};
    const ui::Binding relayOnButton[] = {{.control = "button", .event = ControlEvent::Relay, .handler = HandlerId::Relay}};
    struct Case {
        const char* what;
        ui::WindowDefinition window;
        std::string_view reason;
        std::string_view subject;
    };
    const Case cases[] = {
        {"a duplicate name", {.controls = sameNameTwice}, ui::texts::DuplicateName, "box"},
        {"an unknown control", {.controls = twoControls, .bindings = clickOnNowhere}, ui::texts::UnknownControl,
         "nowhere"},
        {"a click on an entry field", {.controls = twoControls, .bindings = clickOnBox}, ui::texts::EventNotRaised, "box"},
        {"a relay on a button", {.controls = twoControls, .bindings = relayOnButton}, ui::texts::EventNotRaised,
         "button"},
    };
    for (const Case& test : cases) {
        const auto fault = ui::CheckDefinition(test.window, allHandlers);
        ASSERT_TRUE(fault) << test.what;
        EXPECT_EQ(fault->reason, test.reason) << test.what;
        EXPECT_EQ(fault->subject, test.subject) << test.what;
    }
    const ui::WindowDefinition fine{.controls = twoControls, .bindings = clickOnButton};
    EXPECT_EQ(ui::CheckDefinition(fine, allHandlers), std::nullopt);
    const auto missing = ui::CheckDefinition(fine, {});
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->reason, ui::texts::MissingHandler);
}

}  // namespace
