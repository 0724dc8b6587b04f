// The one-line entry field: the toolkit's line edit drawn as a classic sunken white
// field whose one text line is centred vertically, with inert bands above and below.
#pragma once

#include <QLineEdit>

namespace platform::qt {

class EntryField final : public QLineEdit {
public:
    explicit EntryField(QWidget* parent);

    // Where caret, selection and text live, in the field's own coordinates.
    QRect TextLine() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PlaceTextLine();
    void ApplyHeightRule();
    bool InBands(QPoint position) const { return !TextLine().contains(position); }

    int keptSelectionStart_ = -1;
    int keptSelectionLength_ = 0;
};

}  // namespace platform::qt
