// Builds the main window on the offscreen platform for each test and closes it after.
#include "tests/window/window_fixture.h"

#include <QCoreApplication>
#include <QTest>

namespace test {
namespace {

HandlerCalls calls;

std::optional<std::int32_t> CountAnswerCheck(platform::EventArguments) {
    ++calls.answerChecks;
    return std::nullopt;
}
std::optional<std::int32_t> CountAnswerChange(platform::EventArguments) {
    ++calls.answerChanges;
    return std::nullopt;
}
std::optional<std::int32_t> CountRelay(platform::EventArguments) {
    ++calls.relays;
    return std::nullopt;
}

constexpr ui::HandlerEntry countingHandlers[] = {
    {ui::HandlerId::AnswerCheck, CountAnswerCheck},
    {ui::HandlerId::AnswerChanged, CountAnswerChange},
    {ui::HandlerId::Relay, CountRelay},
};

}  // namespace

HandlerCalls& Calls() { return calls; }
std::span<const ui::HandlerEntry> CountingHandlers() { return countingHandlers; }

platform::qt::TopLevelWidget* ProgramWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = dynamic_cast<platform::qt::TopLevelWidget*>(widget)) return window;
    return nullptr;
}

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void MainWindowTest::SetUp() {
    calls = {};
    ASSERT_EQ(ui::InitWindowing(ui::MainWindow(), HandlersUnderTest()), std::nullopt);
    ASSERT_EQ(ui::LoadWindow(ui::MainWindow()), std::nullopt);
    window = ProgramWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    Settle();
}

void MainWindowTest::TearDown() {
    if (ProgramWindow()) ProgramWindow()->close();
    Settle();
    EXPECT_EQ(ProgramWindow(), nullptr) << "the window should be gone after a close request";
}

QWidget* MainWindowTest::Control(const char* utf8Name) const {
    auto* control = window->findChild<QWidget*>(QString::fromUtf8(utf8Name), Qt::FindDirectChildrenOnly);
    EXPECT_NE(control, nullptr) << utf8Name;
    return control;
}

QImage MainWindowTest::Grab() const { return window->grab().toImage(); }

}  // namespace test
