// The toolkit's widgets behind the platform handles: the top-level window with its
// sunken edge, and the self-painted area that hands painting and the mouse to the
// program. Handles are these widgets, cast.
#pragma once

#include <QEvent>
#include <QImage>
#include <QWidget>

#include "platform/window_system.h"

namespace platform::qt {

class TopLevelWidget final : public QWidget {
public:
    TopLevelWidget(const TopLevelSettings& settings, WindowListener& listener);
    ~TopLevelWidget() override;

    WindowListener& Listener() const { return listener_; }
    void PlaceFrame(QPoint topLeft, QSize outer);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FitFrame();
    void Resize(QSize client);

    WindowListener& listener_;
    Frame frame_;
    ClientEdge clientEdge_;
    QPoint frameTopLeft_;
    QSize frameSize_;
    bool frameFitted_ = false;
};

// The label's private relay request: two 32-bit integers in, one 32-bit integer back.
class RelayRequest final : public QEvent {
public:
    static QEvent::Type EventType();
    RelayRequest(std::int32_t first, std::int32_t second) : QEvent(EventType()), arguments{first, second} {}

    EventArguments arguments;
    std::int32_t result = 0;
};

// A picture as the screen wants it, made from the program's pixels the first time
// they are drawn.
struct PictureCache {
    const void* source = nullptr;
    QImage converted;
};

class SelfPaintedArea final : public QWidget {
public:
    SelfPaintedArea(TopLevelWidget* window, const ControlPlacement& placement, SelfPaintedControl& behaviour);

    SelfPaintedControl& Behaviour() const { return behaviour_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Control* Handle() { return reinterpret_cast<Control*>(static_cast<QWidget*>(this)); }

    TopLevelWidget* window_;
    int index_;
    SelfPaintedControl& behaviour_;
    PictureCache pictures_;
};

// Thickness of the sunken edge the program draws inside the client area.
inline constexpr int SunkenEdgeWidth = 2;

QFont DefaultGuiFont();
QFont MakeFont(const FontDescription& description);
QColor ToQColor(Colour colour);
// The pointing-hand pointer as the program drew it, or the toolkit's own until then.
QCursor PointingHandCursor();

inline QWidget* ToWidget(Control* control) { return reinterpret_cast<QWidget*>(control); }
inline TopLevelWidget* ToWindow(Window* window) { return reinterpret_cast<TopLevelWidget*>(window); }

void InstallAccessibility();

}  // namespace platform::qt
