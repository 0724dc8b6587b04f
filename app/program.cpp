// The entry routine, the two hook routines and the handler table.
#include "app/program.h"

#include "app/answer_check.h"
#include "ui/main_window.h"

namespace app {
namespace {

// The program prepares nothing before its window exists and keeps nothing to put away.
void StartupRoutine() {}
void ExitRoutine() {}

// The answer check reads the main window's answer box.
class MainWindowDesk final : public AnswerCheckDesk {
public:
    char* ReadAnswer() override {
        return ui::ReadControlText(ui::MainWindow(), ui::AnswerBox, ui::TextProperty::Content);
    }
    void ReleaseText(char* text) override { ui::ReleaseText(text); }
    void ShowMessage(const char* text) override { ui::ShowMessageBox(text, ui::ButtonSet::Ok, nullptr); }
};

std::optional<std::int32_t> CheckAnswerHandler(platform::EventArguments) {
    MainWindowDesk desk;
    CheckAnswer(desk);
    return std::nullopt;
}

// Bound so that the answer box's edits and the labels' relay requests have a handler;
// neither needs to do anything.
std::optional<std::int32_t> IgnoreAnswerChange(platform::EventArguments) { return std::nullopt; }
std::optional<std::int32_t> IgnoreRelay(platform::EventArguments) { return std::nullopt; }

constexpr ui::HandlerEntry handlers[] = {
    {ui::HandlerId::AnswerCheck, CheckAnswerHandler},
    {ui::HandlerId::AnswerChanged, IgnoreAnswerChange},
    {ui::HandlerId::Relay, IgnoreRelay},
};

int EntryRoutine() {
    const ui::WindowDefinition& window = ui::MainWindow();
    if (const auto failure = ui::InitWindowing(window, handlers)) return ui::EndWithStartupFailure(*failure);
    StartupRoutine();
    ui::RegisterExitRoutine(ExitRoutine);
    if (const auto failure = ui::LoadWindow(window)) return ui::EndWithStartupFailure(*failure);
    ui::RunEventLoop();
    return 0;
}

}  // namespace

std::span<const ui::HandlerEntry> Handlers() { return handlers; }

int Run(int& argumentCount, char** arguments) { return ui::RunFramework(argumentCount, arguments, EntryRoutine); }

}  // namespace app
