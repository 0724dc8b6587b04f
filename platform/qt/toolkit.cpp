// The toolkit's life, the event loop, the window's keyboard filter and message boxes
// over Qt Widgets.
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <cstdio>
#include <utility>

#include "platform/qt/gbk.h"
#include "platform/qt/widgets.h"

namespace platform {
namespace {

// Owned, but deliberately without a destructor of static duration: when the X server
// goes away the toolkit ends the process with exit(), and the application must not
// be torn down then, after the toolkit's own state is gone.
QApplication* application = nullptr;

KeyPress Translate(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    KeyPress press{.shift = modifiers.testFlag(Qt::ShiftModifier),
                   .alt = modifiers.testFlag(Qt::AltModifier),
                   .control = modifiers.testFlag(Qt::ControlModifier)};
    const int key = event.key();
    switch (key) {
    case Qt::Key_Tab: press.key = Key::Tab; break;
    case Qt::Key_Backtab:
        press.key = Key::Tab;
        press.shift = true;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: press.key = Key::Enter; break;
    case Qt::Key_Escape: press.key = Key::Escape; break;
    case Qt::Key_F1: press.key = Key::F1; break;
    default:
        if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
            press.character = static_cast<char32_t>(key);
        break;
    }
    return press;
}

// Every key press meant for the program's window or one of its controls passes the
// window's filter before the control sees it.
class KeyFilter final : public QObject {
protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !target->isWidgetType()) return false;
        auto* window = dynamic_cast<qt::TopLevelWidget*>(static_cast<QWidget*>(target)->window());
        if (!window) return false;
        const KeyPress press = Translate(*static_cast<QKeyEvent*>(event));
        return window->Listener().FilterKey(press) == KeyVerdict::Consumed;
    }
};

KeyFilter* keyFilter = nullptr;

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

std::optional<Failure> StartToolkit(int& argumentCount, char** arguments) {
    if (!HasDisplay()) {
        std::fputs("yuvovip: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset)\n", stderr);
        return Failure{};
    }
    // X11, also through XWayland, lets the program centre its window; Wayland alone is
    // the fallback.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    application = new QApplication(argumentCount, arguments);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(qt::DefaultGuiFont());
    keyFilter = new KeyFilter;
    application->installEventFilter(keyFilter);
    qt::InstallAccessibility();
    return std::nullopt;
}

void StopToolkit() {
    if (!application) return;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete keyFilter;
    keyFilter = nullptr;
    delete std::exchange(application, nullptr);
}

int RunEventLoop() { return QApplication::exec(); }

void QuitEventLoop(int code) { QCoreApplication::exit(code); }

void ShowMessageBox(std::string_view text, std::string_view caption) {
    QMessageBox box;
    box.setWindowTitle(qt::FromGbk(caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(qt::FromGbk(text));
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace platform
