// Prints how long the main window takes from a click on its button to the message box
// the answer check shows, in process on Qt's offscreen platform with the program's own
// window and handlers; beside it the same click on a stock QPushButton whose slot
// opens a QMessageBox set up like ours. A measurement, not a test: it passes or fails
// nothing.
//
//   click_benchmark [CLICKS] [--figures]       (default 200 clicks)
//
// --figures prints "figure NAME MEDIAN_US P95_US COUNT" lines instead, for
// startup_benchmark.py.
//
// The answer box holds the right answer, so every click shows the account. Each click
// is sent as the windowing system would send it (press and release at the button's
// centre, through the window's QWindow). Times run from just before the press
// to the box's Show event, and to the box's first Paint event; the box is dismissed
// after it painted and the next click follows once the window has settled.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/qt/widgets.h"
#include "platform/window_system.h"
#include "ui/main_window.h"
#include "ui/windowing.h"

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
}

// Notes when a message box shows and first paints, and dismisses it after its paint.
class BoxWatch final : public QObject {
public:
    void Arm() {
        shown_.reset();
        painted_.reset();
    }
    std::optional<Clock::time_point> Shown() const { return shown_; }
    std::optional<Clock::time_point> Painted() const { return painted_; }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Paint) return false;
        auto* box = qobject_cast<QMessageBox*>(target);
        if (!box) return false;
        const auto now = Clock::now();
        if (type == QEvent::Show && !shown_) {
            shown_ = now;
            // A box that never paints is dismissed all the same.
            QTimer::singleShot(2000, box, [box] { box->done(0); });
        }
        if (type == QEvent::Paint && !painted_) {
            painted_ = now;
            QTimer::singleShot(0, box, [box] { box->done(0); });
        }
        return false;
    }

private:
    std::optional<Clock::time_point> shown_;
    std::optional<Clock::time_point> painted_;
};

// The offscreen platform warns about every box's size hints; nothing else is dropped.
void QuietOffscreenNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("does not support propagateSizeHints"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

struct Figures {
    std::vector<double> toShow;
    std::vector<double> toPaint;
    int missed = 0;
};

Figures ClickRepeatedly(QWidget* window, QWidget* button, int clicks, BoxWatch& watch) {
    Figures figures;
    const QPoint centre = button->geometry().center();
    for (int click = 0; click < clicks; ++click) {
        watch.Arm();
        const auto start = Clock::now();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, centre);
        if (watch.Shown()) {
            figures.toShow.push_back(Microseconds(start, *watch.Shown()));
            if (watch.Painted()) figures.toPaint.push_back(Microseconds(start, *watch.Painted()));
        } else {
            ++figures.missed;
        }
        Settle();
    }
    return figures;
}

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

void Print(const char* what, const char* until, const std::vector<double>& values) {
    if (values.empty()) {
        std::printf("  %-34s %-14s %10s\n", what, until, "n/a");
        return;
    }
    std::printf("  %-34s %-14s %10.0f us median %10.0f us p95  (%zu clicks)\n", what, until,
                Percentile(values, 0.5), Percentile(values, 0.95), values.size());
}

// The program's window, built by the program's own windowing code with its handlers.
Figures MeasureProgram(int clicks, BoxWatch& watch) {
    if (ui::InitWindowing(ui::MainWindow(), app::Handlers()) || ui::LoadWindow(ui::MainWindow())) {
        std::fputs("click_benchmark: the main window could not be built\n", stderr);
        std::exit(1);
    }
    QWidget* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (dynamic_cast<platform::qt::TopLevelWidget*>(widget)) window = widget;
    if (!window || !QTest::qWaitForWindowExposed(window)) {
        std::fputs("click_benchmark: the main window did not show\n", stderr);
        std::exit(1);
    }
    Settle();
    auto* answer = window->findChild<QLineEdit*>(QString::fromUtf8("编辑框1"), Qt::FindDirectChildrenOnly);
    auto* button = window->findChild<QWidget*>(QString::fromUtf8("按钮1"), Qt::FindDirectChildrenOnly);
    if (!answer || !button) {
        std::fputs("click_benchmark: the answer box or the button is missing\n", stderr);
        std::exit(1);
    }
    // The right answer: every click shows the account.
    QTest::keyClicks(answer, "gnx");
    ClickRepeatedly(window, button, 5, watch);  // as many unmeasured clicks as the stock button had
    Figures figures = ClickRepeatedly(window, button, clicks, watch);
    window->close();
    Settle();
    return figures;
}

// A stock button whose slot opens a message box like the program's.
Figures MeasureStockWidgets(int clicks, BoxWatch& watch) {
    QWidget window;
    window.resize(505, 319);
    auto* answer = new QLineEdit(&window);
    answer->setGeometry(87, 135, 175, 26);
    auto* button = new QPushButton(QString::fromUtf8("获取YUVOvip账号"), &window);
    button->setGeometry(158, 274, 104, 32);
    QObject::connect(button, &QPushButton::clicked, &window, [answer] {
        if (answer->text() != QStringLiteral("gnx")) return;
        QMessageBox box;
        box.setWindowTitle(QString::fromUtf8("信息："));
        box.setTextFormat(Qt::PlainText);
        box.setText(QString::fromUtf8("账号：12300004567    密码：5172qk46w"));
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fputs("click_benchmark: the stock window did not show\n", stderr);
        std::exit(1);
    }
    QTest::keyClicks(answer, "gnx");
    Settle();
    ClickRepeatedly(&window, button, 5, watch);  // loads the box's code, fonts and style
    return ClickRepeatedly(&window, button, clicks, watch);
}

void PrintFigure(const char* name, const std::vector<double>& values) {
    std::printf("figure %s %.1f %.1f %zu\n", name, Percentile(values, 0.5), Percentile(values, 0.95), values.size());
}

}  // namespace

int main(int argumentCount, char** arguments) {
    int clicks = 200;
    bool figuresOnly = false;
    for (int at = 1; at < argumentCount; ++at) {
        if (std::string(arguments[at]) == "--figures")
            figuresOnly = true;
        else
            clicks = std::max(1, std::atoi(arguments[at]));
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietOffscreenNoise);
    int toolkitArguments = 1;
    if (platform::StartToolkit(toolkitArguments, arguments)) return 1;
    BoxWatch watch;
    qApp->installEventFilter(&watch);

    const Figures stock = MeasureStockWidgets(clicks, watch);
    const Figures ours = MeasureProgram(clicks, watch);

    if (figuresOnly) {
        PrintFigure("ours-show", ours.toShow);
        PrintFigure("ours-paint", ours.toPaint);
        PrintFigure("stock-show", stock.toShow);
        PrintFigure("stock-paint", stock.toPaint);
    } else {
        std::printf("From a click on the button to the message box, in process (offscreen platform):\n");
        Print("yuvovip (own window and handlers)", "to Show", ours.toShow);
        Print("", "to first Paint", ours.toPaint);
        Print("stock QPushButton + QMessageBox", "to Show", stock.toShow);
        Print("", "to first Paint", stock.toPaint);
    }
    if (ours.missed || stock.missed)
        std::fprintf(stderr, "click_benchmark: clicks that showed no box: yuvovip %d, stock %d\n", ours.missed,
                     stock.missed);
    qApp->removeEventFilter(&watch);
    platform::StopToolkit();
    return 0;
}
