// The desktop that the running program's links open their targets with.
#include "platform/desktop.h"
#include "ui/link_opening.h"

namespace ui {
namespace {

class ProgramDesktop final : public Desktop {
public:
    bool OpenWithDefaultHandler(std::string_view target) override {
        return platform::OpenWithDefaultHandler(target, "open", platform::ShowMode::Normal);
    }
    std::optional<std::string> FindWebPageCommand() override { return platform::FindOpenCommand(".htm"); }
    bool RunCommandLine(std::string_view commandLine) override {
        return platform::RunCommandLine(commandLine, platform::ShowMode::Normal);
    }
};

}  // namespace

Desktop& SystemDesktop() {
    static ProgramDesktop desktop;
    return desktop;
}

}  // namespace ui
