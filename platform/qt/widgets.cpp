// Windows, controls, drawing and the pointer over Qt Widgets.
#include "platform/qt/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBitmap>
#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <functional>
#include <qdrawutil.h>

#include "platform/qt/entry_field.h"
#include "platform/qt/gbk.h"
#include "platform/qt/push_button.h"

namespace platform::qt {
namespace {

Qt::WindowFlags FlagsFor(const TopLevelSettings& settings) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (settings.buttons == TitleBarButtons::MinimiseMaximiseClose)
        flags |= Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    return flags;
}

QRect PlacedRectangle(const Rectangle& rectangle) {
    return {rectangle.left + SunkenEdgeWidth, rectangle.top + SunkenEdgeWidth, rectangle.width, rectangle.height};
}

Control* ToControl(QWidget* widget) { return reinterpret_cast<Control*>(widget); }

// The check every kind's make step shares.
MakeProblem PlacementProblem(const ControlPlacement& placement) {
    if (placement.rectangle.width < 0 || placement.rectangle.height < 0) return MakeProblem::NegativeSize;
    return MakeProblem::None;
}

void ApplyCommon(QWidget* widget, const ControlPlacement& placement, Qt::FocusPolicy focusable) {
    widget->setObjectName(FromGbk(placement.name));
    widget->setGeometry(PlacedRectangle(placement.rectangle));
    widget->setEnabled(!placement.disabled);
    widget->setFocusPolicy(placement.focusable ? focusable : Qt::NoFocus);
    widget->hide();
}

class Canvas final : public platform::Canvas {
public:
    Canvas(QPainter& painter, QSize size, PictureCache& pictures) : painter_(painter), size_(size), pictures_(pictures) {}

    Size AreaSize() const override { return {size_.width(), size_.height()}; }
    void FillRectangle(const Rectangle& area, Colour colour) override {
        painter_.fillRect(QRect(area.left, area.top, area.width, area.height), ToQColor(colour));
    }
    void DrawText(std::string_view text, const Rectangle& area, const TextLayout& layout,
                  const std::optional<FontDescription>& font, Colour colour) override;
    // The screen's pixel layout is made once per picture, not on every repaint.
    void DrawPicture(const RgbImage& picture, Point topLeft) override {
        if (pictures_.source != picture.redGreenBlue.data()) {
            pictures_.source = picture.redGreenBlue.data();
            pictures_.converted = QImage(picture.redGreenBlue.data(), picture.width, picture.height, picture.width * 3,
                                         QImage::Format_RGB888)
                                      .convertToFormat(QImage::Format_RGB32);
        }
        painter_.drawImage(QPoint(topLeft.x, topLeft.y), pictures_.converted);
    }

private:
    QPainter& painter_;
    QSize size_;
    PictureCache& pictures_;
};

void Canvas::DrawText(std::string_view text, const Rectangle& area, const TextLayout& layout,
                      const std::optional<FontDescription>& font, Colour colour) {
    int flags = 0;
    switch (layout.horizontal) {
    case HorizontalAlignment::Left: flags |= Qt::AlignLeft; break;
    case HorizontalAlignment::Centre: flags |= Qt::AlignHCenter; break;
    case HorizontalAlignment::Right: flags |= Qt::AlignRight; break;
    }
    switch (layout.vertical) {
    case VerticalAlignment::Top: flags |= Qt::AlignTop; break;
    case VerticalAlignment::Centre: flags |= Qt::AlignVCenter; break;
    case VerticalAlignment::Bottom: flags |= Qt::AlignBottom; break;
    }
    flags |= layout.wrapping == Wrapping::WrapToWidth ? Qt::TextWordWrap : Qt::TextSingleLine;
    const QRect rectangle(area.left, area.top, area.width, area.height);
    painter_.save();
    painter_.setClipRect(rectangle);
    painter_.setFont(font ? MakeFont(*font) : DefaultGuiFont());
    painter_.setPen(ToQColor(colour));
    painter_.drawText(rectangle, flags, FromGbk(text));
    painter_.restore();
}

class AccessibleArea final : public QAccessibleWidget {
public:
    explicit AccessibleArea(SelfPaintedArea* area)
        : QAccessibleWidget(area, RoleOf(area->Behaviour().Role())), area_(area) {}

    // A picture's text describes it; labels and links are named by theirs.
    QString text(QAccessible::Text kind) const override {
        const bool describesPicture = kind == QAccessible::Description && role() == QAccessible::Graphic;
        if (kind == QAccessible::Name || describesPicture) return FromGbk(area_->Behaviour().AccessibleText());
        return QAccessibleWidget::text(kind);
    }

private:
    static QAccessible::Role RoleOf(AccessibleRole role) {
        switch (role) {
        case AccessibleRole::Label: return QAccessible::StaticText;
        case AccessibleRole::Link: return QAccessible::Link;
        case AccessibleRole::Picture: return QAccessible::Graphic;
        }
        return QAccessible::Client;
    }

    SelfPaintedArea* area_;
};

QAccessibleInterface* AccessibleFor(const QString&, QObject* object) {
    if (auto* area = dynamic_cast<SelfPaintedArea*>(object)) return new AccessibleArea(area);
    return nullptr;
}

}  // namespace

QFont DefaultGuiFont() {
    QFont font = QApplication::font();
    font.setPixelSize(12);
    return font;
}

QFont MakeFont(const FontDescription& description) {
    QFont font = DefaultGuiFont();
    if (!description.faceName.empty()) font.setFamily(FromGbk(description.faceName));
    if (description.characterHeight > 0) font.setPixelSize(description.characterHeight);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(description.weight, 1, 1000)));
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikeOut);
    return font;
}

namespace {

std::optional<QCursor>& PointingHand() {
    static std::optional<QCursor> cursor;
    return cursor;
}

QBitmap ToBitmap(const PointerImage& image, const std::function<bool(std::size_t)>& set) {
    QImage bits(image.width, image.height, QImage::Format_MonoLSB);
    bits.setColor(0, qRgb(255, 255, 255));
    bits.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) bits.setPixel(x, y, set(static_cast<std::size_t>(y * image.width + x)) ? 1 : 0);
    return QBitmap::fromImage(bits);
}

}  // namespace

QCursor PointingHandCursor() { return PointingHand().value_or(QCursor(Qt::PointingHandCursor)); }

QColor ToQColor(Colour colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

void InstallAccessibility() { QAccessible::installFactory(AccessibleFor); }

TopLevelWidget::TopLevelWidget(const TopLevelSettings& settings, WindowListener& listener)
    : QWidget(nullptr, FlagsFor(settings)), listener_(listener), frame_(settings.frame), clientEdge_(settings.clientEdge) {
    setWindowTitle(FromGbk(settings.title));
    setAutoFillBackground(false);
}

TopLevelWidget::~TopLevelWidget() { listener_.Destroyed(); }

// The outer frame's size includes the decorations, which the window manager only
// reports once the window is mapped; until then the client area takes the whole size.
void TopLevelWidget::PlaceFrame(QPoint topLeft, QSize outer) {
    frameTopLeft_ = topLeft;
    frameSize_ = outer;
    frameFitted_ = false;
    Resize(outer);
    move(topLeft);
}

void TopLevelWidget::FitFrame() {
    if (frameFitted_ || !windowHandle()) return;
    const QMargins margins = windowHandle()->frameMargins();
    if (margins.isNull()) return;
    frameFitted_ = true;
    Resize(frameSize_.shrunkBy(margins));
    move(frameTopLeft_);
}

// A sizing frame lets the user change the size; a fixed one keeps the one given.
void TopLevelWidget::Resize(QSize client) {
    if (frame_ == Frame::Fixed)
        setFixedSize(client);
    else
        resize(client);
}

bool TopLevelWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Expose:
        FitFrame();
        break;
    default:
        break;
    }
    return handled;
}

void TopLevelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (clientEdge_ == ClientEdge::Sunken) qDrawWinPanel(&painter, rect(), palette(), true);
}

// The program decides whether and when the window goes.
void TopLevelWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    listener_.CloseRequested();
}

void TopLevelWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            listener_.Activated();
        else
            listener_.Deactivated();
    }
    QWidget::changeEvent(event);
}

QEvent::Type RelayRequest::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

SelfPaintedArea::SelfPaintedArea(TopLevelWidget* window, const ControlPlacement& placement,
                                 SelfPaintedControl& behaviour)
    : QWidget(window), window_(window), index_(placement.index), behaviour_(behaviour) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(behaviour.Pointer() == PointerShape::PointingHand ? PointingHandCursor() : QCursor(Qt::ArrowCursor));
}

bool SelfPaintedArea::event(QEvent* event) {
    if (event->type() != RelayRequest::EventType()) return QWidget::event(event);
    auto* request = static_cast<RelayRequest*>(event);
    if (behaviour_.Role() == AccessibleRole::Label)
        request->result = window_->Listener().RaiseEvent(index_, ControlEvent::Relay, request->arguments);
    return true;
}

void SelfPaintedArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    Canvas canvas(painter, size(), pictures_);
    const QRect area = event->rect();
    behaviour_.Paint(canvas, {area.x(), area.y(), area.width(), area.height()});
}

void SelfPaintedArea::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    behaviour_.PointerMoved(Handle(), {position.x(), position.y()});
}

void SelfPaintedArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint position = event->position().toPoint();
    behaviour_.LeftButtonPressed(Handle(), {position.x(), position.y()});
}

// The second press of a double-click is not a press.
void SelfPaintedArea::mouseDoubleClickEvent(QMouseEvent*) {}

}  // namespace platform::qt

namespace platform {

using qt::ToWidget;
using qt::ToWindow;

std::optional<Size> PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return std::nullopt;
    const QSize size = screen->geometry().size();
    return Size{size.width(), size.height()};
}

Colour DialogFaceColour() {
    const QColor colour = QApplication::palette().color(QPalette::Window);
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
           static_cast<Colour>(colour.blue()) << 16;
}

Window* MakeTopLevelWindow(const TopLevelSettings& settings, WindowListener& listener) {
    return reinterpret_cast<Window*>(new qt::TopLevelWidget(settings, listener));
}

void PlaceFrame(Window* window, Point topLeft, Size outer) {
    ToWindow(window)->PlaceFrame({topLeft.x, topLeft.y}, {outer.width, outer.height});
}

namespace {

QImage ToQImage(const PixelImage& image) {
    return QImage(image.blueGreenRedAlpha.data(), image.width, image.height, image.width * 4, QImage::Format_ARGB32)
        .copy();
}

// One image per size: where both icons are one image, the window carries it once.
QIcon ToQIcon(const PixelImage& large, const PixelImage& small) {
    QIcon icon(QPixmap::fromImage(ToQImage(large)));
    if (small.width != large.width || small.height != large.height)
        icon.addPixmap(QPixmap::fromImage(ToQImage(small)));
    return icon;
}

}  // namespace

void SetWindowIcons(Window* window, const PixelImage& large, const PixelImage& small) {
    ToWindow(window)->setWindowIcon(ToQIcon(large, small));
}

void SetApplicationIcon(const PixelImage& icon) { QApplication::setWindowIcon(ToQIcon(icon, icon)); }

void ShowAndActivate(Window* window) {
    qt::TopLevelWidget* widget = ToWindow(window);
    widget->show();
    widget->activateWindow();
}

void DestroyWindow(Window* window) { ToWindow(window)->deleteLater(); }

MadeControl MakeEntryField(Window* window, const ControlPlacement& placement) {
    if (const auto problem = qt::PlacementProblem(placement); problem != MakeProblem::None) return {.problem = problem};
    qt::TopLevelWidget* parent = ToWindow(window);
    auto* field = new qt::EntryField(parent);
    qt::ApplyCommon(field, placement, Qt::StrongFocus);
    const int index = placement.index;
    QObject::connect(field, &QLineEdit::textEdited, parent, [parent, index] {
        parent->Listener().RaiseEvent(index, ControlEvent::ContentChanged, {});
    });
    return {.control = qt::ToControl(field)};
}

MadeControl MakePushButton(Window* window, const ControlPlacement& placement, std::string_view caption) {
    if (const auto problem = qt::PlacementProblem(placement); problem != MakeProblem::None) return {.problem = problem};
    qt::TopLevelWidget* parent = ToWindow(window);
    // The window handles Alt+character itself, so "&" in a caption is shown as it is.
    auto* button = new qt::PushButton(qt::FromGbk(caption).replace(u'&', QStringLiteral("&&")), parent);
    button->setFont(qt::DefaultGuiFont());
    qt::ApplyCommon(button, placement, Qt::StrongFocus);
    const int index = placement.index;
    QObject::connect(button, &QPushButton::clicked, parent,
                     [parent, index] { parent->Listener().RaiseEvent(index, ControlEvent::Click, {}); });
    return {.control = qt::ToControl(button)};
}

MadeControl MakeSelfPaintedArea(Window* window, const ControlPlacement& placement, SelfPaintedControl& behaviour) {
    if (const auto problem = qt::PlacementProblem(placement); problem != MakeProblem::None) return {.problem = problem};
    auto* area = new qt::SelfPaintedArea(ToWindow(window), placement, behaviour);
    qt::ApplyCommon(area, placement, Qt::NoFocus);
    return {.control = qt::ToControl(area)};
}

void StackTopFirst(std::span<Control* const> controls) {
    for (auto control = controls.rbegin(); control != controls.rend(); ++control) ToWidget(*control)->raise();
}

void ShowWithoutActivating(Control* control) {
    QWidget* widget = ToWidget(control);
    widget->setAttribute(Qt::WA_ShowWithoutActivating);
    widget->show();
}

// Like any desktop entry field, one reached by the keyboard selects its whole text.
void GiveFocus(Control* control, FocusCause cause) {
    ToWidget(control)->setFocus(cause == FocusCause::Keyboard ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

Control* FocusedControl(Window* window) { return qt::ToControl(ToWindow(window)->focusWidget()); }

void Repaint(Control* control) { ToWidget(control)->update(); }

Size ControlSize(Control* control) {
    const QSize size = ToWidget(control)->size();
    return {size.width(), size.height()};
}

// The toolkit's two bitmaps: a set bit is black where the mask is set, and inverts
// the screen where it is not.
void SetPointingHandImage(const PointerImage& image) {
    const QBitmap bitmap = qt::ToBitmap(image, [&](std::size_t at) { return image.andMask[at] == image.xorBits[at]; });
    const QBitmap mask = qt::ToBitmap(image, [&](std::size_t at) { return image.andMask[at] == 0; });
    qt::PointingHand() = QCursor(bitmap, mask, image.hotSpot.x, image.hotSpot.y);
}

void HoldPointer(Control* control) { ToWidget(control)->grabMouse(); }

void LetGoOfPointer(Control* control) {
    if (HoldsPointer(control)) ToWidget(control)->releaseMouse();
}

bool HoldsPointer(Control* control) { return QWidget::mouseGrabber() == ToWidget(control); }

std::string ReadEntryFieldText(Control* control) {
    const auto* field = qobject_cast<const QLineEdit*>(ToWidget(control));
    return field ? qt::ToGbk(field->text()) : std::string();
}

}  // namespace platform
