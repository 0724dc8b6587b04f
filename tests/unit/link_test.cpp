// The link's rules without a desktop: the fallback command built from a registered
// command line, the opening steps over a stand-in desktop, the pointer following,
// the colour choice and the address it opens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/link_opening.h"
#include "ui/link_rules.h"

namespace {

constexpr std::string_view Target = "https://www.yuvovip.example/wb008.htm?from=10086&gid=3";

TEST(FallbackCommand, CutsAtThePlaceholderAndAppendsTheTarget) {
    struct Case {
        const char* what;
        std::string registered;
        std::string expected;
    };
    const std::string T(Target);
    const Case cases[] = {
        {"a quoted placeholder, quotes included", R"("C:\Browser\browser.exe" -osint -url "%1")",
         R"("C:\Browser\browser.exe" -osint -url  )" + T},
        {"a bare placeholder", "browser %1", "browser  " + T},
        {"no placeholder: nothing cut", "browser", "browser " + T},
        {"text after the placeholder is dropped", R"(browser "%1" --new-window --profile x)", "browser  " + T},
        {"no space before the placeholder", R"(browser --url="%1")", "browser --url= " + T},
        {"the quoted placeholder wins over an earlier bare one", R"(browser %1 -x "%1")", "browser %1 -x  " + T},
        {"a field code %u", "firefox %u", "firefox  " + T},
        {"a field code %U", "chromium %U", "chromium  " + T},
        {"a field code %f", "viewer %f", "viewer  " + T},
        {"a field code %F", "viewer --files %F", "viewer --files  " + T},
        {"a quoted field code", R"(browser "%u")", "browser  " + T},
        {"an escaped percent sign is no placeholder", "browser --x=%%u %u", "browser --x=%%u  " + T},
        {"other field codes are no placeholder", "browser %i %c", "browser %i %c " + T},
    };
    for (const Case& test : cases) {
        const auto command = ui::FallbackCommand(test.registered, Target);
        ASSERT_TRUE(command) << test.what;
        EXPECT_EQ(*command, test.expected) << test.what;
    }
}

TEST(FallbackCommand, RefusesOverLongCommandsRatherThanCuttingThem) {
    const std::string longest(259, 'b');
    EXPECT_TRUE(ui::FallbackCommand(longest, "x")) << "259 bytes may be looked up";
    EXPECT_FALSE(ui::FallbackCommand(longest + "b", "x")) << "260 bytes may not";
    const std::string longTarget = "https://a.example/" + std::string(259 - 18, 'q');
    const auto exact = ui::FallbackCommand(longest, longTarget);
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->size(), 519u) << "519 bytes may run";
    EXPECT_FALSE(ui::FallbackCommand(longest, longTarget + "q")) << "520 bytes may not";
}

// Answers as the test tells it and records what the opening asked.
class StandInDesktop final : public ui::Desktop {
public:
    bool acceptsTarget = false;
    std::optional<std::string> registeredCommand;
    bool commandStarts = false;
    std::vector<std::string> calls;

    bool OpenWithDefaultHandler(std::string_view target) override {
        calls.push_back("open " + std::string(target));
        return acceptsTarget;
    }
    std::optional<std::string> FindWebPageCommand() override {
        calls.emplace_back("find");
        return registeredCommand;
    }
    bool RunCommandLine(std::string_view commandLine) override {
        calls.push_back("run " + std::string(commandLine));
        return commandStarts;
    }
};

TEST(OpenTarget, TriesTheHandlerThenTheBrowserCommand) {
    const std::string T(Target);
    struct Case {
        const char* what;
        std::string_view target;
        bool accepts;
        std::optional<std::string> registered;
        bool starts;
        bool opened;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"the handler accepts", Target, true, "browser %1", true, true, {"open " + T}},
        {"refused, the command starts", Target, false, "browser \"%1\"", true, true,
         {"open " + T, "find", "run browser  " + T}},
        {"refused, no command registered", Target, false, std::nullopt, true, false, {"open " + T, "find"}},
        {"refused, the command does not start", Target, false, "browser %1", false, false,
         {"open " + T, "find", "run browser  " + T}},
        {"refused, the command is too long", Target, false, std::string(260, 'b'), true, false, {"open " + T, "find"}},
        {"an empty target", "", true, "browser %1", true, false, {}},
    };
    for (const Case& test : cases) {
        StandInDesktop desktop;
        desktop.acceptsTarget = test.accepts;
        desktop.registeredCommand = test.registered;
        desktop.commandStarts = test.starts;
        EXPECT_EQ(ui::OpenTarget(test.target, desktop), test.opened) << test.what;
        EXPECT_EQ(desktop.calls, test.calls) << test.what;
    }
}

TEST(FollowPointer, HoverAndHoldFollowTheTableOfMovements) {
    using ui::PointerHold;
    struct Case {
        const char* what;
        bool hovered, inside, holds;
        ui::HoverOutcome expected;
    };
    const Case cases[] = {
        {"moving over a resting link", false, true, false, {true, PointerHold::Take, true}},
        {"a stray movement outside a resting link", false, false, false, {false, PointerHold::Keep, false}},
        {"moving out of a hovered link", true, false, true, {false, PointerHold::LetGo, true}},
        {"moving inside a hovered link that holds the pointer", true, true, true, {true, PointerHold::Keep, false}},
        {"moving inside after the hold was lost", true, true, false, {true, PointerHold::Take, false}},
        {"moving out after the hold was lost", true, false, false, {false, PointerHold::LetGo, true}},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ui::FollowPointer(test.hovered, test.inside, test.holds), test.expected) << test.what;
}

TEST(LinkColour, HoverWinsThenVisitedThenTheLinkColour) {
    const ui::LinkSettings settings{.linkColour = 0x00FF0000, .visitedColour = 0x00000080, .hoverColour = 0x00D38A41};
    EXPECT_EQ(ui::LinkColour(settings, false, false), 0x00FF0000u);
    EXPECT_EQ(ui::LinkColour(settings, false, true), 0x00000080u);
    EXPECT_EQ(ui::LinkColour(settings, true, false), 0x00D38A41u);
    EXPECT_EQ(ui::LinkColour(settings, true, true), 0x00D38A41u);
}

TEST(TargetAddress, WebAddressOrMailtoWithTheEmailAddress) {
    EXPECT_EQ(ui::TargetAddress({.webAddress = Target}), Target);
    EXPECT_EQ(ui::TargetAddress({.opens = ui::LinkTarget::EmailAddress, .webAddress = Target,
                                 .emailAddress = "makers@yuvovip.example"}),
              "mailto:makers@yuvovip.example");
    EXPECT_EQ(ui::TargetAddress({.opens = ui::LinkTarget::EmailAddress, .webAddress = Target}), "");
}

}  // namespace
