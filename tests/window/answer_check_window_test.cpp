// The answer check in the real window with the program's own handlers: the boxes it
// shows, and that a box blocks the window until it is dismissed.
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/program.h"
#include "tests/window/window_fixture.h"

namespace {

struct ShownBox {
    QString caption;
    QString text;
    int buttons = 0;
    bool okAlone = false;
    bool iconless = false;
    bool applicationModal = false;
    bool ownerless = false;
};

class AnswerCheckTest : public test::MainWindowTest {
protected:
    std::span<const ui::HandlerEntry> HandlersUnderTest() const override { return app::Handlers(); }

    QLineEdit* AnswerBox() const { return static_cast<QLineEdit*>(Control("编辑框1")); }

    // Clicks the button as the windowing system would and gives every box that showed
    // meanwhile; each box is dismissed with Return after `whileOpen` ran in the first.
    // The watch re-arms itself before it acts, so it also reaches a box opened from
    // inside another box's loop.
    std::vector<ShownBox> ClickAndCollectBoxes(const std::function<void()>& whileOpen = {}) {
        std::vector<ShownBox> boxes;
        bool watching = true;
        std::function<void()> watch = [&] {
            if (!watching) return;
            QTimer::singleShot(5, watch);
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            boxes.push_back({box->windowTitle(), box->text(), static_cast<int>(box->buttons().size()),
                             box->standardButtons() == QMessageBox::Ok, box->icon() == QMessageBox::NoIcon,
                             box->windowModality() == Qt::ApplicationModal, box->parentWidget() == nullptr});
            if (whileOpen && boxes.size() == 1) whileOpen();
            QTest::keyClick(box, Qt::Key_Return);
        };
        QTimer::singleShot(5, watch);
        ClickThroughTheWindowSystem(Control("按钮1"));
        // A box that was wrongly shown would have opened within the click; give a
        // stray one a moment more to show itself.
        QTest::qWait(30);
        watching = false;
        QTest::qWait(10);
        return boxes;
    }

    // Input that passes the toolkit's modality checks, as input from the screen does.
    void ClickThroughTheWindowSystem(QWidget* control) const {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, control->geometry().center());
    }
};

const QString Credentials = QString::fromUtf8("账号：12300004567    密码：5172qk46w");
const QString Reminder = QString::fromUtf8("亲，你还没注册哦，注册好就能使用YUVOvip账号了哦！！");

TEST_F(AnswerCheckTest, RightAnswerShowsTheAccountInABoxWithOkAloneAndNoIcon) {
    QTest::keyClicks(AnswerBox(), "gnx");
    const auto boxes = ClickAndCollectBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QString::fromUtf8("信息："));
    EXPECT_EQ(boxes[0].text, Credentials);
    EXPECT_EQ(boxes[0].buttons, 1);
    EXPECT_TRUE(boxes[0].okAlone);
    EXPECT_TRUE(boxes[0].iconless);
    EXPECT_TRUE(boxes[0].applicationModal);
    EXPECT_TRUE(boxes[0].ownerless);
    EXPECT_EQ(AnswerBox()->text(), "gnx") << "the check writes into no control";
}

TEST_F(AnswerCheckTest, EmptyBoxShowsTheReminderAgainOnEveryClick) {
    for (int click = 0; click < 3; ++click) {
        const auto boxes = ClickAndCollectBoxes();
        ASSERT_EQ(boxes.size(), 1u) << "click " << click;
        EXPECT_EQ(boxes[0].caption, QString::fromUtf8("信息："));
        EXPECT_EQ(boxes[0].text, Reminder);
    }
}

TEST_F(AnswerCheckTest, AnyOtherAnswerShowsNothing) {
    const char* wrongAnswers[] = {" gnx", "gnx ", "gn", "gnxgnx", "   ", "GNX", "ｇｎｘ"};
    for (const char* answer : wrongAnswers) {
        AnswerBox()->clear();
        // Typed through the input method, which is how full-width letters arrive.
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(answer));
        QCoreApplication::sendEvent(AnswerBox(), &commit);
        EXPECT_TRUE(ClickAndCollectBoxes().empty()) << answer;
        EXPECT_EQ(AnswerBox()->text(), QString::fromUtf8(answer));
    }
}

TEST_F(AnswerCheckTest, OpenBoxBlocksClicksAndKeysToTheWindow) {
    QTest::keyClicks(AnswerBox(), "gnx");
    const auto boxes = ClickAndCollectBoxes([this] {
        ClickThroughTheWindowSystem(Control("按钮1"));
        ClickThroughTheWindowSystem(Control("编辑框1"));
        QTest::keyClick(window->windowHandle(), Qt::Key_Z);
    });
    EXPECT_EQ(boxes.size(), 1u) << "no second check ran while the box was open";
    EXPECT_EQ(AnswerBox()->text(), "gnx");
}

}  // namespace
