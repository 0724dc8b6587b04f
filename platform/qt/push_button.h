// The push button: the toolkit's button whose caption is centred and broken onto
// several lines where it is wider than the button.
#pragma once

#include <QPushButton>

namespace platform::qt {

class PushButton final : public QPushButton {
public:
    PushButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace platform::qt
