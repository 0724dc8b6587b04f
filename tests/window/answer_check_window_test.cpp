// The answer check in the real window with the program's own handlers: the boxes it
// shows, and that a box blocks the window until it is dismissed.
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <fstream>
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
    // inside another box's loop; it ends with this call.
    std::vector<ShownBox> ClickAndCollectBoxes(const std::function<void()>& whileOpen = {},
                                               std::chrono::milliseconds strayBoxWait = std::chrono::milliseconds(30)) {
        std::vector<ShownBox> boxes;
        std::vector<const QMessageBox*> seen;
        QTimer watch;
        watch.setSingleShot(true);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            watch.start(1);
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || std::find(seen.begin(), seen.end(), box) != seen.end()) return;
            seen.push_back(box);
            boxes.push_back({box->windowTitle(), box->text(), static_cast<int>(box->buttons().size()),
                             box->standardButtons() == QMessageBox::Ok, box->icon() == QMessageBox::NoIcon,
                             box->windowModality() == Qt::ApplicationModal, box->parentWidget() == nullptr});
            if (whileOpen && boxes.size() == 1) whileOpen();
            QTest::keyClick(box, Qt::Key_Return);
        });
        watch.start(1);
        ClickThroughTheWindowSystem(Control("按钮1"));
        // A box that was wrongly shown would have opened within the click; give a
        // stray one a moment more to show itself.
        QTest::qWait(static_cast<int>(strayBoxWait.count()));
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
        // Let the blocked input be handled while the box is still open.
        QTest::qWait(20);
    });
    EXPECT_EQ(boxes.size(), 1u) << "no second check ran while the box was open";
    EXPECT_EQ(AnswerBox()->text(), "gnx");
}

// Under AddressSanitizer freed memory is held back to catch late uses, so resident
// memory says nothing there; its leak check speaks instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool ResidentMemoryIsMeaningful = false;
#else
constexpr bool ResidentMemoryIsMeaningful = true;
#endif

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

TEST_F(AnswerCheckTest, TenThousandChecksKeepMemoryFlatAndReleaseEveryText) {
    struct Answer {
        const char* text;
        bool showsBox;
    };
    const Answer answers[] = {{"gnx", true}, {"", true}, {"gn", false}, {"gnx ", false}, {"ｇｎｘ", false}};
    long warmedUp = 0;
    int boxesShown = 0;
    int boxesExpected = 0;
    for (int check = 0; check < 10000; ++check) {
        const Answer& answer = answers[check % std::size(answers)];
        QTest::keyClick(AnswerBox(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(AnswerBox(), Qt::Key_Delete);
        QInputMethodEvent typed;
        typed.setCommitString(QString::fromUtf8(answer.text));
        QCoreApplication::sendEvent(AnswerBox(), &typed);
        boxesShown += static_cast<int>(ClickAndCollectBoxes({}, std::chrono::milliseconds(0)).size());
        boxesExpected += answer.showsBox;
        if (check == 999) warmedUp = ResidentKilobytes();
    }
    EXPECT_EQ(boxesShown, boxesExpected);
    EXPECT_EQ(ui::TextsHeld(), 0u) << "every text read was released";
    const long growth = ResidentKilobytes() - warmedUp;
    if (ResidentMemoryIsMeaningful) {
        EXPECT_LT(growth, 4096) << "resident memory grew by " << growth << " KB over 9,000 checks";
    }
}

}  // namespace
