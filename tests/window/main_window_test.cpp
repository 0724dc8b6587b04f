// The main window as built: its controls read back from the real widgets, their
// stacking, focus and keyboard behaviour, closing, and the look of its background.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "platform/qt/gbk.h"
#include "resources/embedded.h"
#include "tests/window/window_fixture.h"
#include "ui/picture_decoder.h"

namespace {

using platform::AccessibleRole;
using test::Calls;
using test::MainWindowTest;

enum class Expected { EntryField, PushButton, Label, Link, Picture };

struct ExpectedControl {
    const char* name;
    Expected kind;
    QRect rectangle;  // as in the window's table, counted inside the sunken edge
};

// Bottom of the stack first.
const ExpectedControl expectedControls[] = {
    {"编辑框1", Expected::EntryField, {85, 133, 175, 26}},
    {"标签1", Expected::Label, {8, 128, 64, 32}},
    {"按钮1", Expected::PushButton, {156, 272, 104, 32}},
    {"标签2", Expected::Label, {16, 8, 454, 88}},
    {"标签3", Expected::Label, {8, 80, 256, 40}},
    {"标签5", Expected::Label, {8, 176, 64, 24}},
    {"标签6", Expected::Label, {8, 216, 65, 24}},
    {"超级链接框1", Expected::Link, {52, 278, 84, 25}},
    {"编辑框2", Expected::EntryField, {86, 175, 172, 26}},
    {"编辑框3", Expected::EntryField, {86, 216, 171, 26}},
    {"图片框1", Expected::Picture, {267, 87, 227, 219}},
};

Expected KindOf(QWidget* widget) {
    if (qobject_cast<QLineEdit*>(widget)) return Expected::EntryField;
    if (qobject_cast<QPushButton*>(widget)) return Expected::PushButton;
    auto* area = dynamic_cast<platform::qt::SelfPaintedArea*>(widget);
    if (!area) ADD_FAILURE() << "not a kind of the program";
    switch (area ? area->Behaviour().Role() : AccessibleRole::Label) {
    case AccessibleRole::Label: return Expected::Label;
    case AccessibleRole::Link: return Expected::Link;
    case AccessibleRole::Picture: return Expected::Picture;
    }
    return Expected::Label;
}

QRect Placed(QRect rectangle) { return rectangle.translated(2, 2); }

TEST_F(MainWindowTest, EveryControlIsBuiltAsItsKindAtItsPlace) {
    for (const ExpectedControl& expected : expectedControls) {
        QWidget* control = Control(expected.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget(), window) << expected.name;
        EXPECT_EQ(KindOf(control), expected.kind) << expected.name;
        EXPECT_EQ(control->geometry(), Placed(expected.rectangle)) << expected.name;
        EXPECT_TRUE(control->isVisible()) << expected.name;
        EXPECT_TRUE(control->isEnabled()) << expected.name;
    }
    EXPECT_EQ(static_cast<QPushButton*>(Control("按钮1"))->text(), QString::fromUtf8("获取YUVOvip账号"));
    for (const char* entryField : {"编辑框1", "编辑框2", "编辑框3"}) {
        auto* field = static_cast<QLineEdit*>(Control(entryField));
        EXPECT_TRUE(field->text().isEmpty()) << entryField;
        EXPECT_EQ(field->echoMode(), QLineEdit::Normal) << entryField;
    }
}

TEST_F(MainWindowTest, SelfPaintedControlsTellTheirTextToAccessibilityTools) {
    const std::pair<const char*, const char*> texts[] = {
        {"标签1", "  输入答案"}, {"标签5", "YUVOvip账号"}, {"标签6", "       密码"},
        {"标签3", "题目：“快去玩（    ）的游戏吧！”"}, {"超级链接框1", "点我找答案"},
    };
    for (const auto& [name, text] : texts) {
        auto* area = dynamic_cast<platform::qt::SelfPaintedArea*>(Control(name));
        ASSERT_NE(area, nullptr) << name;
        EXPECT_EQ(area->Behaviour().AccessibleText(), platform::qt::ToGbk(QString::fromUtf8(text))) << name;
    }
}

TEST_F(MainWindowTest, ControlsAreStackedInDefinitionOrderWithThePictureOnTop) {
    QStringList bottomFirst;
    for (QObject* child : window->children())
        if (child->isWidgetType()) bottomFirst << child->objectName();
    QStringList expected;
    for (const ExpectedControl& control : expectedControls) expected << QString::fromUtf8(control.name);
    EXPECT_EQ(bottomFirst, expected);
}

TEST_F(MainWindowTest, UpperControlsCoverTheIntroductionWhereTheyOverlap) {
    struct Probe {
        QPoint point;  // inside the sunken edge
        const char* topmost;
    };
    const Probe probes[] = {
        {{267, 87}, "图片框1"},  {{469, 95}, "图片框1"}, {{300, 90}, "图片框1"}, {{16, 80}, "标签3"},
        {{263, 95}, "标签3"},    {{100, 85}, "标签3"},   {{266, 86}, "标签2"},   {{469, 79}, "标签2"},
        {{264, 95}, "标签2"},
    };
    // Where the picture covers the introduction, the window shows the picture's pixels.
    const auto picture = ui::DecodePicture(resources::AppealPicture());
    ASSERT_TRUE(picture);
    const QImage shown = Grab();
    for (const QPoint point : {QPoint(267, 87), QPoint(469, 95), QPoint(300, 90)}) {
        const std::size_t at = static_cast<std::size_t>(((point.y() - 87) * 237 + point.x() - 267) * 3);
        const QColor expected(picture->redGreenBlue[at], picture->redGreenBlue[at + 1], picture->redGreenBlue[at + 2]);
        EXPECT_EQ(shown.pixelColor(point + QPoint(2, 2)), expected) << point.x() << "," << point.y();
    }
    for (const Probe& probe : probes) {
        QWidget* hit = window->childAt(probe.point + QPoint(2, 2));
        ASSERT_NE(hit, nullptr) << probe.topmost;
        EXPECT_EQ(hit->objectName(), QString::fromUtf8(probe.topmost))
            << "at " << probe.point.x() << "," << probe.point.y();
    }
}

TEST_F(MainWindowTest, WithoutWindowManagerTheClientIsTheWholeSizeCentredOnTheScreen) {
    const QSize screen = window->screen()->geometry().size();
    EXPECT_EQ(window->frameGeometry().size(), QSize(509, 348));
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint((screen.width() - 509) / 2, (screen.height() - 348) / 2));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("YUVOvip账号获取器 v_1.2"));
}

TEST_F(MainWindowTest, TitleBarOffersCloseButNeitherMinimiseNorMaximise) {
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_NE(window->minimumSize(), window->maximumSize()) << "the frame must let the user resize";
}

TEST_F(MainWindowTest, WindowAndMessageBoxesCarryTheNinetySixPixelIcon) {
    EXPECT_EQ(window->windowIcon().availableSizes(), QList<QSize>{QSize(96, 96)});
    EXPECT_EQ(QApplication::windowIcon().availableSizes(), QList<QSize>{QSize(96, 96)});
    const QImage icon = window->windowIcon().pixmap(96, 96).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "the corners are transparent";
    const QRgb centre = icon.pixel(48, 48);
    EXPECT_GT(qRed(centre), qBlue(centre) + 60) << "the emblem is golden";
}

TEST_F(MainWindowTest, EnlargingLeavesControlsInPlaceAndShowsTheFaceColour) {
    window->resize(800, 600);
    test::Settle();
    for (const ExpectedControl& expected : expectedControls)
        EXPECT_EQ(Control(expected.name)->geometry(), Placed(expected.rectangle)) << expected.name;
    const QImage image = Grab();
    const QColor face = QApplication::palette().color(QPalette::Window);
    for (const QPoint point : {QPoint(600, 400), QPoint(520, 100), QPoint(100, 360), QPoint(790, 590)})
        EXPECT_EQ(image.pixelColor(point), face) << point.x() << "," << point.y();
}

TEST_F(MainWindowTest, SunkenEdgeIsDarkAtTopLeftAndLightAtBottomRight) {
    const QImage image = Grab();
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    const auto lightness = [&](int x, int y) { return image.pixelColor(x, y).lightness(); };
    const int face = QApplication::palette().color(QPalette::Window).lightness();
    EXPECT_LT(lightness(0, 100), face);
    EXPECT_LT(lightness(100, 0), face);
    EXPECT_LT(lightness(1, 100), lightness(0, 100) + 1);
    EXPECT_GT(lightness(right, 100), lightness(0, 100));
    EXPECT_GT(lightness(100, bottom), lightness(100, 0));
}

TEST_F(MainWindowTest, FocusStartsInTheAnswerBoxWithTheCaretAtTheStart) {
    EXPECT_EQ(QApplication::focusWidget(), Control("编辑框1"));
    auto* answerBox = static_cast<QLineEdit*>(Control("编辑框1"));
    EXPECT_EQ(answerBox->cursorPosition(), 0);
    EXPECT_FALSE(answerBox->hasSelectedText());
}

TEST_F(MainWindowTest, TabAndShiftTabWalkTheRingOfEntryFieldsAndButton) {
    const char* ring[] = {"编辑框1", "按钮1", "编辑框2", "编辑框3", "编辑框1"};
    for (std::size_t step = 1; step < std::size(ring); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Control(ring[step])) << "Tab to " << ring[step];
    }
    for (std::size_t step = std::size(ring) - 1; step > 0; --step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), Control(ring[step - 1])) << "Shift+Tab to " << ring[step - 1];
    }
}

TEST_F(MainWindowTest, LabelsLinkAndPictureNeverTakeTheFocus) {
    for (const char* name : {"标签1", "标签2", "标签3", "标签5", "标签6", "图片框1"}) {
        QTest::mouseClick(Control(name), Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(QApplication::focusWidget(), Control("编辑框1")) << name;
    }
    // The right button, so that the link does not open the page on this machine.
    QTest::mouseClick(Control("超级链接框1"), Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(QApplication::focusWidget(), Control("编辑框1")) << "the link";
    EXPECT_EQ(Calls().relays, 0);
}

TEST_F(MainWindowTest, EnterDoesNothingAtWindowLevel) {
    QTest::keyClicks(Control("编辑框1"), "ab");
    QTest::keyClick(Control("编辑框1"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Control("编辑框1"));
    EXPECT_EQ(static_cast<QLineEdit*>(Control("编辑框1"))->text(), "ab");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Control("按钮1"));
    QTest::keyClick(Control("按钮1"), Qt::Key_Return);
    QTest::keyClick(Control("按钮1"), Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), Control("按钮1"));
    EXPECT_EQ(Calls().answerChecks, 0);
    EXPECT_NE(test::ProgramWindow(), nullptr);
}

TEST_F(MainWindowTest, EscFromAnyControlClosesTheWindow) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Control("编辑框2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    test::Settle();
    EXPECT_EQ(test::ProgramWindow(), nullptr);
}

TEST_F(MainWindowTest, FocusReturnsToItsControlAfterSwitchingAway) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Control("按钮1"));
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(window->isActiveWindow());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(QApplication::focusWidget(), Control("按钮1"));
}

}  // namespace
