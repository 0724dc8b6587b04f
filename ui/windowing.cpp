// The windowing component: the program's life from the toolkit's start to the
// orderly end, the window built from its definition, and the gate through which
// control events reach their handlers.
#include "ui/windowing.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "resources/embedded.h"
#include "ui/definition_check.h"
#include "ui/icon_file.h"
#include "ui/keyboard.h"
#include "ui/label.h"
#include "ui/link.h"
#include "ui/picture_box.h"
#include "ui/texts.h"

namespace ui {
namespace {

class WindowInstance;

// The window's icons as its rule picks them from its icon file, decoded once.
struct WindowIcons {
    IconPixels large;
    IconPixels small;
};

struct Runtime {
    const WindowDefinition* definition = nullptr;
    std::span<const HandlerEntry> handlers;
    ExitRoutine exitRoutine = nullptr;
    bool handlersReachable = false;
    bool loopStarted = false;
    bool failed = false;
    int quitCode = 0;
    std::optional<WindowIcons> icons;
    std::unique_ptr<WindowInstance> window;
};

Runtime runtime;
std::size_t textsHeld = 0;

// A compiled-in icon file that cannot be read leaves the program without an icon.
std::optional<WindowIcons> DecodeWindowIcons(std::span<const std::uint8_t> file) {
    const auto entries = ReadIconDirectory(file);
    if (!entries) return std::nullopt;
    const IconChoice choice = ChooseIcons(*entries);
    auto large = DecodeIconImage(file, (*entries)[choice.large]);
    if (!large) return std::nullopt;
    if (choice.small == choice.large) return WindowIcons{*large, *large};
    auto small = DecodeIconImage(file, (*entries)[choice.small]);
    if (!small) return std::nullopt;
    return WindowIcons{std::move(*large), std::move(*small)};
}

platform::PixelImage View(const IconPixels& pixels) {
    return {pixels.width, pixels.height, pixels.blueGreenRedAlpha};
}

std::int32_t Dispatch(const WindowDefinition& definition, std::string_view control, platform::ControlEvent event,
                      platform::EventArguments arguments) {
    if (!runtime.handlersReachable) return 0;
    const auto binding = std::find_if(definition.bindings.begin(), definition.bindings.end(), [&](const Binding& candidate) {
        return candidate.control == control && candidate.event == event;
    });
    if (binding == definition.bindings.end()) return 0;
    const auto entry = std::find_if(runtime.handlers.begin(), runtime.handlers.end(),
                                    [&](const HandlerEntry& candidate) { return candidate.id == binding->handler; });
    if (entry == runtime.handlers.end()) return 0;
    return entry->handler(arguments).value_or(0);
}

std::string_view ProblemText(platform::MakeProblem problem) {
    switch (problem) {
    case platform::MakeProblem::NegativeSize: return texts::NegativeSize;
    case platform::MakeProblem::None: break;
    }
    return {};
}

// One built window: its toolkit handles by definition index, the self-painted
// controls' own state, and the window's focus memory.
class WindowInstance final : public platform::WindowListener {
public:
    explicit WindowInstance(const WindowDefinition& definition)
        : definition_(definition), ring_(FocusRing(definition)), controls_(definition.controls.size()) {}

    std::optional<StartupFailure> Build();

    const WindowDefinition& Definition() const { return definition_; }
    bool Exists() const { return window_ != nullptr; }
    void Destroy() {
        if (window_) platform::DestroyWindow(window_);
    }

    // The entry field of that name while the window exists, else null.
    platform::Control* EntryFieldNamed(std::string_view name) const {
        const auto& controls = definition_.controls;
        const auto found = std::find_if(controls.begin(), controls.end(),
                                        [&](const ControlDefinition& control) { return control.name == name; });
        if (found == controls.end() || !window_ || KindOf(found->settings) != Kind::EditBox) return nullptr;
        return controls_[static_cast<std::size_t>(found - controls.begin())];
    }

    platform::KeyVerdict FilterKey(const platform::KeyPress& press) override;
    void CloseRequested() override { Destroy(); }
    void Activated() override;
    void Deactivated() override { focusAtDeactivation_ = FocusedIndex(); }
    void Destroyed() override;
    std::int32_t RaiseEvent(int controlIndex, platform::ControlEvent event, platform::EventArguments arguments) override {
        return Dispatch(definition_, definition_.controls[static_cast<std::size_t>(controlIndex)].name, event, arguments);
    }

private:
    platform::MadeControl Make(int index);
    std::optional<int> FocusedIndex() const;
    void Focus(std::optional<int> index, platform::FocusCause cause) {
        if (index) platform::GiveFocus(controls_[static_cast<std::size_t>(*index)], cause);
    }

    const WindowDefinition& definition_;
    const std::vector<int> ring_;
    platform::Window* window_ = nullptr;
    std::vector<platform::Control*> controls_;
    std::vector<std::unique_ptr<platform::SelfPaintedControl>> selfPainted_;
    std::optional<int> focusAtDeactivation_;
};

std::optional<StartupFailure> WindowInstance::Build() {
    const WindowSettings& settings = definition_.window;
    window_ = platform::MakeTopLevelWindow({.title = settings.title,
                                            .frame = settings.frame,
                                            .clientEdge = settings.clientEdge,
                                            .buttons = settings.titleBarButtons},
                                           *this);
    if (!window_) return StartupFailure{std::string(texts::WindowNotMade)};
    platform::Point topLeft = settings.storedPlace;
    if (settings.startPosition == StartPosition::CentredOnScreen) {
        const auto screen = platform::PrimaryScreenSize();
        if (!screen) return StartupFailure{std::string(texts::NoScreen)};
        // Integer division truncates towards zero, also on a screen smaller than the window.
        topLeft = {(screen->width - settings.outerSize.width) / 2, (screen->height - settings.outerSize.height) / 2};
    }
    platform::PlaceFrame(window_, topLeft, settings.outerSize);
    if (runtime.icons) platform::SetWindowIcons(window_, View(runtime.icons->large), View(runtime.icons->small));

    for (int index = static_cast<int>(controls_.size()) - 1; index >= 0; --index) {
        const platform::MadeControl made = Make(index);
        if (!made.control)
            return StartupFailure{texts::FaultWithDetail(
                texts::ControlNotMade, definition_.controls[static_cast<std::size_t>(index)].name, ProblemText(made.problem))};
        controls_[static_cast<std::size_t>(index)] = made.control;
    }
    platform::StackTopFirst(controls_);
    for (std::size_t index = 0; index < controls_.size(); ++index)
        if (definition_.controls[index].visible) platform::ShowWithoutActivating(controls_[index]);
    platform::ShowAndActivate(window_);
    Focus(InitialFocus(definition_), platform::FocusCause::Other);
    return std::nullopt;
}

platform::MadeControl WindowInstance::Make(int index) {
    const ControlDefinition& control = definition_.controls[static_cast<std::size_t>(index)];
    const platform::ControlPlacement placement{.index = index,
                                               .name = control.name,
                                               .rectangle = control.rectangle,
                                               .disabled = control.disabled,
                                               .focusable = control.focusable};
    const auto paintSelf = [&](std::unique_ptr<platform::SelfPaintedControl> behaviour) {
        selfPainted_.push_back(std::move(behaviour));
        return platform::MakeSelfPaintedArea(window_, placement, *selfPainted_.back());
    };
    struct Visitor {
        const decltype(paintSelf)& makeArea;
        platform::Window* window;
        const platform::ControlPlacement& placement;
        platform::MadeControl operator()(const LabelSettings& settings) const {
            return makeArea(std::make_unique<Label>(settings));
        }
        platform::MadeControl operator()(const LinkSettings& settings) const {
            return makeArea(std::make_unique<Link>(settings));
        }
        platform::MadeControl operator()(const PicBoxSettings& settings) const {
            return makeArea(std::make_unique<PictureBox>(settings));
        }
        platform::MadeControl operator()(const EditBoxSettings&) const {
            return platform::MakeEntryField(window, placement);
        }
        platform::MadeControl operator()(const ButtonSettings& settings) const {
            return platform::MakePushButton(window, placement, settings.caption);
        }
    };
    return std::visit(Visitor{paintSelf, window_, placement}, control.settings);
}

std::optional<int> WindowInstance::FocusedIndex() const {
    platform::Control* focused = platform::FocusedControl(window_);
    const auto found = std::find(controls_.begin(), controls_.end(), focused);
    if (!focused || found == controls_.end()) return std::nullopt;
    return static_cast<int>(found - controls_.begin());
}

platform::KeyVerdict WindowInstance::FilterKey(const platform::KeyPress& press) {
    const KeyDecision decision = DecideKey(definition_, press, FocusedIndex());
    switch (decision.action) {
    case KeyAction::PassOn: return platform::KeyVerdict::PassedOn;
    case KeyAction::MoveFocus:
        Focus(NextInRing(ring_, FocusedIndex(), decision.direction), platform::FocusCause::Keyboard);
        break;
    case KeyAction::Click: RaiseEvent(decision.control, platform::ControlEvent::Click, {}); break;
    case KeyAction::Close: CloseRequested(); break;
    }
    return platform::KeyVerdict::Consumed;
}

// Controls live as long as their window, so the remembered one still exists.
void WindowInstance::Activated() {
    Focus(focusAtDeactivation_ ? focusAtDeactivation_ : InitialFocus(definition_), platform::FocusCause::Other);
}

void WindowInstance::Destroyed() {
    window_ = nullptr;
    std::fill(controls_.begin(), controls_.end(), nullptr);
    // This is the program's only window: with it gone, none is left.
    if (runtime.loopStarted) platform::QuitEventLoop(0);
}

// Lets go of the window and the toolkit; the window's listener may still hear of the
// window's end while the toolkit finishes.
void ReleaseWindowing() {
    if (runtime.window) runtime.window->Destroy();
    platform::StopToolkit();
    runtime = Runtime{};
}

}  // namespace

int RunFramework(int& argumentCount, char** arguments, EntryRoutine entryRoutine) {
    if (platform::StartToolkit(argumentCount, arguments)) return StartupFailureStatus;
    entryRoutine();
    if (runtime.failed) {
        ReleaseWindowing();
        return StartupFailureStatus;
    }
    runtime.handlersReachable = false;
    runtime.definition = nullptr;
    runtime.handlers = {};
    if (const ExitRoutine routine = std::exchange(runtime.exitRoutine, nullptr)) routine();
    const int status = runtime.quitCode;
    ReleaseWindowing();
    return status;
}

std::optional<StartupFailure> InitWindowing(const WindowDefinition& definition, std::span<const HandlerEntry> handlers) {
    // The program's icon comes first, so that even the error box of a faulty
    // definition shows it.
    runtime.icons = DecodeWindowIcons(definition.window.iconFile);
    if (runtime.icons) platform::SetApplicationIcon(View(runtime.icons->large));
    if (const auto hand = ReadCursor(resources::PointingHand()))
        platform::SetPointingHandImage({hand->width, hand->height, {hand->hotSpotX, hand->hotSpotY}, hand->andMask, hand->xorBits});
    std::vector<HandlerId> supplied;
    for (const HandlerEntry& entry : handlers)
        if (entry.handler) supplied.push_back(entry.id);
    if (const auto fault = CheckDefinition(definition, supplied))
        return StartupFailure{texts::NamedFault(fault->reason, fault->subject)};
    runtime.definition = &definition;
    runtime.handlers = handlers;
    runtime.handlersReachable = true;
    return std::nullopt;
}

void RegisterExitRoutine(ExitRoutine routine) { runtime.exitRoutine = routine; }

std::optional<StartupFailure> LoadWindow(const WindowDefinition& definition) {
    runtime.window = std::make_unique<WindowInstance>(definition);
    return runtime.window->Build();
}

void RunEventLoop() {
    runtime.loopStarted = true;
    if (!runtime.window || !runtime.window->Exists()) return;
    runtime.quitCode = platform::RunEventLoop();
}

int EndWithStartupFailure(const StartupFailure& failure) {
    runtime.handlersReachable = false;
    runtime.failed = true;
    const std::string text = texts::ErrorBoxText(failure.what);
    ShowMessageBox(text.c_str(), ButtonSet::Ok, nullptr);
    runtime.exitRoutine = nullptr;
    return StartupFailureStatus;
}

char* ReadControlText(const WindowDefinition& window, std::string_view control, TextProperty) {
    if (!runtime.window || &runtime.window->Definition() != &window) return nullptr;
    platform::Control* handle = runtime.window->EntryFieldNamed(control);
    if (!handle) return nullptr;
    const std::string content = platform::ReadEntryFieldText(handle);
    if (content.empty()) return nullptr;
    char* text = new char[content.size() + 1];
    std::memcpy(text, content.c_str(), content.size() + 1);
    ++textsHeld;
    return text;
}

void ReleaseText(char* text) {
    if (!text) return;
    --textsHeld;
    delete[] text;
}

std::size_t TextsHeld() { return textsHeld; }

void ShowMessageBox(const char* text, ButtonSet, const char* title) {
    platform::ShowMessageBox(text ? text : "", title ? std::string_view(title) : texts::MessageCaption);
}

}  // namespace ui
