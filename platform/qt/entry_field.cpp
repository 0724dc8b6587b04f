// The entry field's look and its inert bands.
#include "platform/qt/entry_field.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <limits>
#include <qdrawutil.h>

#include "platform/qt/widgets.h"

namespace platform::qt {
namespace {

// The line edit keeps one pixel between its text rectangle and its text line, and
// two between the text rectangle and the first character.
constexpr int LineEditVerticalMargin = 1;
constexpr int LineEditHorizontalMargin = 2;
// The classic field leaves one pixel between its sunken edge and the first character.
constexpr int TextIndent = 1;

}  // namespace

EntryField::EntryField(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setMaxLength(std::numeric_limits<int>::max());
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMouseTracking(true);
    QPalette colours = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Base, Qt::white);
        colours.setColor(group, QPalette::Text, Qt::black);
    }
    setPalette(colours);
    setFont(DefaultGuiFont());
}

QRect EntryField::TextLine() const {
    const int lineHeight = fontMetrics().height();
    const int innerHeight = height() - 2 * SunkenEdgeWidth;
    const int top = SunkenEdgeWidth + (innerHeight - lineHeight) / 2;
    return {SunkenEdgeWidth, top, width() - 2 * SunkenEdgeWidth, lineHeight};
}

// The line edit draws its text line where its margins put it: the top margin puts it
// where the centring rule wants it, and the bottom margin keeps the rest as band.
void EntryField::PlaceTextLine() {
    const QRect line = TextLine();
    const int left = SunkenEdgeWidth + TextIndent - LineEditHorizontalMargin;
    const int top = line.top() - LineEditVerticalMargin;
    const int bottom = height() - line.bottom() - 1 - LineEditVerticalMargin;
    setTextMargins(left, top, left, bottom);
}

// A field lower than its font's tallest character plus its edges grows to that height.
void EntryField::ApplyHeightRule() {
    const int minimum = fontMetrics().size(Qt::TextSingleLine, QStringLiteral("吴")).height() + 2 * SunkenEdgeWidth;
    if (height() < minimum) resize(width(), minimum);
}

void EntryField::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        ApplyHeightRule();
        PlaceTextLine();
    }
    QLineEdit::changeEvent(event);
}

void EntryField::resizeEvent(QResizeEvent* event) {
    PlaceTextLine();
    QLineEdit::resizeEvent(event);
}

void EntryField::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);
}

void EntryField::mousePressEvent(QMouseEvent* event) {
    if (InBands(event->position().toPoint())) return;
    QLineEdit::mousePressEvent(event);
}

void EntryField::mouseMoveEvent(QMouseEvent* event) {
    const bool inBands = InBands(event->position().toPoint());
    setCursor(inBands ? Qt::ArrowCursor : Qt::IBeamCursor);
    if (!inBands || event->buttons() != Qt::NoButton) QLineEdit::mouseMoveEvent(event);
}

void EntryField::mouseDoubleClickEvent(QMouseEvent* event) {
    if (InBands(event->position().toPoint())) return;
    QLineEdit::mouseDoubleClickEvent(event);
}

// The selection is hidden while the field has no focus, and comes back with the
// focus unless the keyboard brings it, which selects the whole text.
void EntryField::focusOutEvent(QFocusEvent* event) {
    keptSelectionStart_ = selectionStart();
    keptSelectionLength_ = selectionLength();
    QLineEdit::focusOutEvent(event);
    if (hasSelectedText()) deselect();
}

void EntryField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const bool byKeyboard = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (!byKeyboard && keptSelectionStart_ >= 0 && !hasSelectedText())
        setSelection(keptSelectionStart_, keptSelectionLength_);
    keptSelectionStart_ = -1;
}

}  // namespace platform::qt
