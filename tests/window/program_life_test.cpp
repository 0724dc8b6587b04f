// The program's life from start to exit status, each run in a child process of its
// own on the offscreen platform: the orderly end after the window closes, the event
// loop that finds no window, and start-up failures with their error box.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/widgets.h"
#include "ui/main_window.h"
#include "ui/windowing.h"

namespace {

struct ChildResult {
    int status = -1;  // the exit status, or -1 when the child did not exit normally
    std::string output;
};

// Runs `body` in a forked child whose standard output comes back here; the child
// ends with the status `body` returns. A child that hangs is ended by its alarm.
ChildResult RunInChild(const std::function<int()>& body) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        dup2(pipeEnds[1], STDOUT_FILENO);
        alarm(30);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const int status = body();
        std::fflush(nullptr);
        _exit(status & 0xFF);
    }
    close(pipeEnds[1]);
    ChildResult result;
    char buffer[4096];
    for (ssize_t count; (count = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        result.output.append(buffer, static_cast<std::size_t>(count));
    close(pipeEnds[0]);
    int waitStatus = 0;
    waitpid(child, &waitStatus, 0);
    if (WIFEXITED(waitStatus)) result.status = WEXITSTATUS(waitStatus);
    return result;
}

// What the child's test hooks see and do; set before the toolkit starts.
std::function<void()> onEachTick;
const ui::WindowDefinition* definitionUnderTest = nullptr;
std::span<const ui::HandlerEntry> handlersUnderTest;
std::function<void()> beforeEventLoop;
int answerChecks = 0;

// Polls from inside the toolkit's event loops, also the error box's own loop.
void StartTicking() {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        if (onEachTick) onEachTick();
    });
    timer->start(10);
}

std::optional<std::int32_t> CountAnswerCheck(platform::EventArguments) {
    ++answerChecks;
    std::printf("answer check ran\n");
    return std::nullopt;
}
std::optional<std::int32_t> Nothing(platform::EventArguments) { return std::nullopt; }

constexpr ui::HandlerEntry allHandlers[] = {
    {ui::HandlerId::AnswerCheck, CountAnswerCheck},
    {ui::HandlerId::AnswerChanged, Nothing},
    {ui::HandlerId::Relay, Nothing},
};

int ProgramWindowsLeft() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (dynamic_cast<platform::qt::TopLevelWidget*>(widget)) ++count;
    return count;
}

void ExitRoutine() { std::printf("exit routine ran with %d windows left\n", ProgramWindowsLeft()); }

// The entry routine's six steps over the definition and handlers under test.
int EntryRoutine() {
    if (const auto failure = ui::InitWindowing(*definitionUnderTest, handlersUnderTest))
        return ui::EndWithStartupFailure(*failure);
    ui::RegisterExitRoutine(ExitRoutine);
    if (const auto failure = ui::LoadWindow(*definitionUnderTest)) return ui::EndWithStartupFailure(*failure);
    if (beforeEventLoop) beforeEventLoop();
    ui::RunEventLoop();
    std::printf("event loop returned\n");
    return 0;
}

int RunProgram(const ui::WindowDefinition& definition, std::span<const ui::HandlerEntry> handlers) {
    definitionUnderTest = &definition;
    handlersUnderTest = handlers;
    qAddPreRoutine(StartTicking);
    int argumentCount = 1;
    char name[] = "yuvovip";
    char* arguments[] = {name, nullptr};
    return ui::RunFramework(argumentCount, arguments, EntryRoutine);
}

QWidget* ProgramWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (dynamic_cast<platform::qt::TopLevelWidget*>(widget) && widget->isVisible()) return widget;
    return nullptr;
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(ProgramLife, ClosingTheWindowEndsWithStatusZeroAndTheExitRoutineOnceAfterIt) {
    const std::pair<const char*, std::function<void(QWidget*)>> ways[] = {
        {"Esc", [](QWidget* window) { QTest::keyClick(window->focusWidget(), Qt::Key_Escape); }},
        {"close button", [](QWidget* window) { window->close(); }},
    };
    for (const auto& [way, close] : ways) {
        const ChildResult result = RunInChild([&close] {
            onEachTick = [&close] {
                if (QWidget* window = ProgramWindow(); window && !window->isHidden()) {
                    onEachTick = nullptr;
                    close(window);
                }
            };
            return RunProgram(ui::MainWindow(), allHandlers);
        });
        EXPECT_EQ(result.status, 0) << way;
        EXPECT_EQ(result.output, "event loop returned\nexit routine ran with 0 windows left\n") << way;
    }
}

TEST(ProgramLife, EventLoopWithNoWindowReturnsAtOnceAndEndsInOrder) {
    const ChildResult result = RunInChild([] {
        beforeEventLoop = [] {
            if (QWidget* window = ProgramWindow()) window->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            std::printf("windows before the loop: %d\n", ProgramWindowsLeft());
        };
        return RunProgram(ui::MainWindow(), allHandlers);
    });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output,
              "windows before the loop: 0\nevent loop returned\nexit routine ran with 0 windows left\n");
}

// While the error box is open: report it, click the answer button wherever it still
// exists (a handler must not run), then dismiss the box.
void AnswerTheErrorBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    onEachTick = nullptr;
    std::printf("box \"%s\" says \"%s\" with %d buttons and a %d-pixel icon\n",
                box->windowTitle().toUtf8().constData(), box->text().toUtf8().constData(),
                static_cast<int>(box->buttons().size()), box->windowIcon().availableSizes().value(0).width());
    for (QWidget* widget : QApplication::allWidgets())
        if (widget->objectName() == QString::fromUtf8("按钮1")) static_cast<QPushButton*>(widget)->click();
    std::printf("answer checks while the box was open: %d\n", answerChecks);
    box->accept();
}

const ui::ControlDefinition twoControls[] = {
    {.name = "box", .settings = ui::EditBoxSettings{}},
    {.name = "button", .focusable = true, .settings = ui::ButtonSettings{.caption = "Go"}},
};
const ui::ControlDefinition sameNameTwice[] = {
    {.name = "box", .settings = ui::EditBoxSettings{}},
    {.name = "box", .settings = ui::EditBoxSettings{}},
};
const ui::Binding clickOnNowhere[] = {{.control = "nowhere", .event = platform::ControlEvent::Click}};
const ui::Binding clickOnBox[] = {{.control = "box", .event = platform::ControlEvent::Click}};
const ui::Binding relayOnButton[] = {
    {.control = "button", .event = platform::ControlEvent::Relay, .handler = ui::HandlerId::Relay}};
const ui::Binding clickOnButton[] = {{.control = "button", .event = platform::ControlEvent::Click}};
constexpr ui::HandlerEntry onlyChanges[] = {{ui::HandlerId::AnswerChanged, Nothing}};

TEST(ProgramLife, DefinitionThatFailsItsCheckEndsWithTheErrorBoxAndStatus255) {
    struct Case {
        const char* what;
        ui::WindowDefinition definition;
        std::span<const ui::HandlerEntry> handlers;
        const char* reason;
        const char* subject;
    };
    const ui::WindowSettings window = ui::MainWindow().window;
    const Case cases[] = {
        {"a duplicate name", {.window = window, .controls = sameNameTwice}, allHandlers, "窗口定义中控件名称重复", "box"},
        {"an unknown control", {.window = window, .controls = twoControls, .bindings = clickOnNowhere}, allHandlers,
         "绑定指向不存在的控件", "nowhere"},
        {"an event the kind lacks", {.window = window, .controls = twoControls, .bindings = clickOnBox}, allHandlers,
         "绑定的事件不属于该控件的类型", "box"},
        {"an event the kind lacks", {.window = window, .controls = twoControls, .bindings = relayOnButton}, allHandlers,
         "绑定的事件不属于该控件的类型", "button"},
        {"a missing handler", {.window = window, .controls = twoControls, .bindings = clickOnButton}, onlyChanges,
         "绑定的处理程序不存在", "button"},
    };
    for (const Case& test : cases) {
        const ChildResult result = RunInChild([&test] {
            onEachTick = AnswerTheErrorBox;
            return RunProgram(test.definition, test.handlers);
        });
        EXPECT_EQ(result.status, 255) << test.what;
        const std::string box = std::string("box \"信息：\" says \"YUVOvip账号获取器无法启动：\n") + test.reason +
                                "：" + test.subject + "\" with 1 buttons and a 96-pixel icon\n";
        EXPECT_EQ(result.output, box + "answer checks while the box was open: 0\n") << test.what;
    }
}

TEST(ProgramLife, ControlThatCannotBeMadeEndsWithTheErrorBoxAndNoHandlerRuns) {
    const ChildResult result = RunInChild([] {
        // The picture box is made last, so every other control exists when it fails.
        static std::vector<ui::ControlDefinition> controls(ui::MainWindow().controls.begin(),
                                                           ui::MainWindow().controls.end());
        controls.front().rectangle.width = -227;
        static ui::WindowDefinition definition = ui::MainWindow();
        definition.controls = controls;
        onEachTick = AnswerTheErrorBox;
        return RunProgram(definition, allHandlers);
    });
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(result.output,
              "box \"信息：\" says \"YUVOvip账号获取器无法启动：\n无法创建控件：图片框1（尺寸为负）\" with 1 buttons and a 96-pixel icon\n"
              "answer checks while the box was open: 0\n");
}

TEST(ProgramLife, AnswerButtonReachesItsHandlerWhileTheProgramRuns) {
    const ChildResult result = RunInChild([] {
        onEachTick = [] {
            if (ProgramWindow()) {
                onEachTick = nullptr;
                for (QWidget* widget : QApplication::allWidgets())
                    if (widget->objectName() == QString::fromUtf8("按钮1")) static_cast<QPushButton*>(widget)->click();
                ProgramWindow()->close();
            }
        };
        return RunProgram(ui::MainWindow(), allHandlers);
    });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Count(result.output, "answer check ran\n"), 1);
}

}  // namespace
