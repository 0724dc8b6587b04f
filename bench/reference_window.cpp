// The main window written the plain Qt Widgets way, as a yardstick for yuvovip's own
// start-up, memory and idle figures: the same outer size and place, the same
// captions, fonts, colours and picture, each control a stock widget (QLabel,
// QLineEdit, QPushButton) instead of the program's window table and self-painted
// controls. It checks no answer and opens no page; Esc closes it.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWindow>
#include <vector>

#include "resources/embedded.h"

namespace {

constexpr int Edge = 2;  // the sunken edge's width; control places count from inside it
constexpr QSize OuterSize(509, 348);

QFont FontOfPixelSize(int pixels) {
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    return font;
}

QRect Placed(int left, int top, int width, int height) { return {left + Edge, top + Edge, width, height}; }

QLabel* MakeLabel(QWidget* parent, const char* utf8Caption, QRect place, const QColor& colour, int pixels = 0) {
    auto* label = new QLabel(QString::fromUtf8(utf8Caption), parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (pixels > 0) label->setFont(FontOfPixelSize(pixels));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    return label;
}

QLineEdit* MakeEntry(QWidget* parent, QRect place) {
    auto* entry = new QLineEdit(parent);
    entry->setGeometry(place);
    return entry;
}

// The outer frame's size includes the window manager's decorations, which are known
// only once the window is mapped: until then the client area takes the whole size,
// then it shrinks by the decorations and the frame goes back to the centred place.
class MainWindow final : public QFrame {
public:
    MainWindow()
        : QFrame(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint) {
        setWindowTitle(QString::fromUtf8("YUVOvip账号获取器 v_1.2"));
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        Build();
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        topLeft_ = {(screen.width() - OuterSize.width()) / 2, (screen.height() - OuterSize.height()) / 2};
        resize(OuterSize);
        move(topLeft_);
        new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { close(); });
    }

protected:
    bool event(QEvent* event) override {
        const bool handled = QFrame::event(event);
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Expose: FitFrame(); break;
        default: break;
        }
        return handled;
    }

private:
    void Build() {
        const QColor blue(0, 0, 255);
        // Listed top of the stack first, as the window is drawn.
        auto* picture = new QLabel(this);
        picture->setGeometry(Placed(267, 87, 227, 219));
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const auto jpeg = resources::AppealPicture();
        QPixmap pixmap;
        pixmap.loadFromData(jpeg.data(), static_cast<uint>(jpeg.size()), "JPG");
        picture->setPixmap(pixmap);

        auto* passwordBox = MakeEntry(this, Placed(86, 216, 171, 26));
        auto* accountBox = MakeEntry(this, Placed(86, 175, 172, 26));
        auto* link = MakeLabel(this, "点我找答案", Placed(52, 278, 84, 25), blue, 14);
        link->setAlignment(Qt::AlignCenter);
        link->setCursor(Qt::PointingHandCursor);
        auto* password = MakeLabel(this, "       密码", Placed(8, 216, 65, 24), Qt::black);
        auto* account = MakeLabel(this, "YUVOvip账号", Placed(8, 176, 64, 24), Qt::black);
        auto* question = MakeLabel(this, "题目：“快去玩（    ）的游戏吧！”", Placed(8, 80, 256, 40), QColor(255, 0, 0), 14);
        auto* introduction = MakeLabel(this,
                                       "    亲，只要完成下面的填空即可获取YUVOvip会员账号和密码哦！"
                                       "答案可在【点我找答案】中找到，您只要花6秒钟注册即可在 注册完成页面 "
                                       "找到答案，获取YUVOvip会员账号！",
                                       Placed(16, 8, 454, 88), blue, 16);
        introduction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        introduction->setWordWrap(true);
        auto* button = new QPushButton(QString::fromUtf8("获取YUVOvip账号"), this);
        button->setGeometry(Placed(156, 272, 104, 32));
        auto* answerCaption = MakeLabel(this, "  输入答案", Placed(8, 128, 64, 32), Qt::black);
        auto* answerBox = MakeEntry(this, Placed(85, 133, 175, 26));

        const std::vector<QWidget*> topFirst{picture, passwordBox, accountBox, link,          password,     account,
                                             question, introduction, button,     answerCaption, answerBox};
        for (auto widget = topFirst.rbegin(); widget != topFirst.rend(); ++widget) (*widget)->raise();
        QWidget::setTabOrder(answerBox, button);
        QWidget::setTabOrder(button, accountBox);
        QWidget::setTabOrder(accountBox, passwordBox);
        answerBox->setFocus();
    }

    void FitFrame() {
        if (fitted_ || !windowHandle()) return;
        const QMargins margins = windowHandle()->frameMargins();
        if (margins.isNull()) return;
        fitted_ = true;
        resize(OuterSize.shrunkBy(margins));
        move(topLeft_);
    }

    QPoint topLeft_;
    bool fitted_ = false;
};

}  // namespace

int main(int argumentCount, char** arguments) {
    QApplication application(argumentCount, arguments);
    QApplication::setFont(FontOfPixelSize(12));
    MainWindow window;
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
