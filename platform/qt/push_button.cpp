// The button draws its own bevel through the style and its caption wrapped.
#include "platform/qt/push_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace platform::qt {

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAutoDefault(false);
    setDefault(false);
}

void PushButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QPoint shift = isDown() ? QPoint(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this))
                                  : QPoint();
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area.translated(shift), Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, caption);
}

}  // namespace platform::qt
