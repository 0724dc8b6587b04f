// The entry fields and the button with real events: content-changed events, what a
// read of the answer box gives, the click rules, and the look of the fields.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/qt/entry_field.h"
#include "platform/qt/push_button.h"
#include "tests/window/window_fixture.h"

namespace {

using test::Calls;
using test::MainWindowTest;

class EntryFieldTest : public MainWindowTest {
protected:
    platform::qt::EntryField* AnswerBox() const {
        return dynamic_cast<platform::qt::EntryField*>(Control("编辑框1"));
    }
    // The answer box's content as the answer check reads it, or "(none)".
    std::string Read() const {
        char* text = ui::ReadControlText(ui::MainWindow(), ui::AnswerBox, ui::TextProperty::Content);
        std::string content = text ? std::string(text) : std::string("(none)");
        ui::ReleaseText(text);
        return content;
    }
    void Paste(const QString& text) const {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(AnswerBox(), Qt::Key_V, Qt::ControlModifier);
    }
};

TEST_F(EntryFieldTest, EveryUserChangeFiresOneContentChangeAndNothingElseDoes) {
    EXPECT_EQ(Calls().answerChanges, 0) << "making the box fires nothing";
    QTest::keyClicks(AnswerBox(), "gnx");
    EXPECT_EQ(Calls().answerChanges, 3) << "three letters";
    QTest::keyClick(AnswerBox(), Qt::Key_Left);
    QTest::keyClick(AnswerBox(), Qt::Key_Home);
    QTest::keyClick(AnswerBox(), Qt::Key_End, Qt::ShiftModifier);
    QTest::mouseDClick(AnswerBox(), Qt::LeftButton, {}, AnswerBox()->TextLine().center());
    EXPECT_EQ(Calls().answerChanges, 3) << "caret moves and selection";
    struct Step {
        const char* what;
        std::function<void()> change;
        int events;
    };
    const Step steps[] = {
        {"a paste", [&] { Paste("pasted text"); }, 1},
        {"undo", [&] { QTest::keyClick(AnswerBox(), Qt::Key_Z, Qt::ControlModifier); }, 1},
        {"select all and cut",
         [&] {
             QTest::keyClick(AnswerBox(), Qt::Key_A, Qt::ControlModifier);
             QTest::keyClick(AnswerBox(), Qt::Key_X, Qt::ControlModifier);
         },
         1},
        {"two letters and a backspace",
         [&] {
             QTest::keyClicks(AnswerBox(), "ab");
             QTest::keyClick(AnswerBox(), Qt::Key_Backspace);
         },
         3},
        {"an input-method commit",
         [&] {
             QInputMethodEvent commit;
             commit.setCommitString(QString::fromUtf8("吴国"));
             QCoreApplication::sendEvent(AnswerBox(), &commit);
         },
         1},
    };
    for (const Step& step : steps) {
        const int before = Calls().answerChanges;
        step.change();
        EXPECT_EQ(Calls().answerChanges - before, step.events) << step.what;
    }
    EXPECT_EQ(AnswerBox()->text(), QString::fromUtf8("a吴国"));
}

TEST_F(EntryFieldTest, UntouchedBoxReadsAsNoneAndTypedTextAsItsBytes) {
    EXPECT_EQ(Read(), "(none)");
    QTest::keyClicks(AnswerBox(), "gnx");
    EXPECT_EQ(Read(), "gnx");
    EXPECT_EQ(AnswerBox()->text(), "gnx") << "reading changes nothing";
    AnswerBox()->setSelection(1, 1);
    const int changesBefore = Calls().answerChanges;
    Read();
    EXPECT_EQ(AnswerBox()->selectionStart(), 1);
    EXPECT_EQ(AnswerBox()->selectedText(), "n");
    EXPECT_EQ(Calls().answerChanges, changesBefore) << "reading fires nothing";
    QTest::keyClick(AnswerBox(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(AnswerBox(), Qt::Key_Delete);
    EXPECT_EQ(Read(), "(none)") << "an emptied box reads as none again";
}

TEST_F(EntryFieldTest, CharactersGbkCannotHoldReadAsQuestionMarksAndKeepTheRest) {
    struct Case {
        const char* what;
        QString pasted;
        std::string read;
    };
    const Case cases[] = {
        {"an emoji", QString::fromUtf8("gn😀x"), "gn?x"},
        {"a NUL character", QString::fromUtf8("gnx\0more", 8), "gnx?more"},
        {"a right-to-left mark", QString::fromUtf8("gnx\u200F"), "gnx?"},
        {"full-width letters", QString::fromUtf8("ｇｎｘ"), "\xA3\xE7\xA3\xEE\xA3\xF8"},
        {"a rare character outside GBK", QString::fromUtf8("g𠀀nx"), "g?nx"},
        {"Chinese text", QString::fromUtf8("吴gnx"), "\xCE\xE2gnx"},
        {"the euro sign of code page 936", QString::fromUtf8("€"), "\x80"},
    };
    for (const Case& test : cases) {
        AnswerBox()->clear();
        Paste(test.pasted);
        EXPECT_EQ(Read(), test.read) << test.what;
    }
}

TEST_F(EntryFieldTest, MegabytePasteIsKeptWholeAndReadBackWhole) {
    const QString megabyte(1 << 20, QLatin1Char('a'));
    Paste(megabyte);
    EXPECT_EQ(AnswerBox()->text().size(), 1 << 20);
    EXPECT_EQ(Read().size(), std::size_t{1} << 20);
}

TEST_F(EntryFieldTest, SpaceOnTheFocusedButtonClicksItOnceAndEnterNever) {
    QWidget* button = Control("按钮1");
    QTest::keyClick(AnswerBox(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(Calls().answerChecks, 1);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter);
    QTest::keyClick(AnswerBox(), Qt::Key_Return);
    EXPECT_EQ(Calls().answerChecks, 1);
}

TEST_F(EntryFieldTest, MousePressReleasedOutsideTheButtonDoesNotClick) {
    QWidget* button = Control("按钮1");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(Calls().answerChecks, 1) << "a press and release over the button clicks";
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseMove(button, QPoint(-20, -20));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(Calls().answerChecks, 1);
}

TEST_F(EntryFieldTest, TextLineIsAsHighAsWAndCentredByTheIntegerRule) {
    for (const char* name : {"编辑框1", "编辑框2", "编辑框3"}) {
        auto* field = dynamic_cast<platform::qt::EntryField*>(Control(name));
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(field->height(), 26) << name << " keeps its height";
        const int lineHeight = field->fontMetrics().height();
        const QRect line = field->TextLine();
        EXPECT_EQ(line.height(), lineHeight) << name;
        EXPECT_EQ(line.top(), 2 + (22 - lineHeight) / 2) << name;
        EXPECT_EQ(field->inputMethodQuery(Qt::ImCursorRectangle).toRect().top(), line.top()) << name << ": the caret stands in the text line";
    }
    QTest::keyClicks(AnswerBox(), "WWW");
    const QImage image = AnswerBox()->grab().toImage();
    const QRect line = AnswerBox()->TextLine();
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 4; x < 40; ++x) {
            if (image.pixelColor(x, y).lightness() < 128) {
                EXPECT_TRUE(line.contains(x, y)) << "text drawn outside the line at " << x << "," << y;
            }
        }
    }
}

TEST_F(EntryFieldTest, FieldsAreWhiteWithBlackTextInsideASunkenEdge) {
    QTest::keyClicks(AnswerBox(), "W");
    const QImage image = AnswerBox()->grab().toImage();
    EXPECT_EQ(image.pixelColor(150, 3), QColor(Qt::white)) << "the band above";
    EXPECT_EQ(image.pixelColor(150, 22), QColor(Qt::white)) << "the band below";
    EXPECT_LT(image.pixelColor(100, 0).lightness(), 200) << "the edge's dark top";
    EXPECT_EQ(image.pixelColor(100, 25), QColor(Qt::white)) << "the edge's light bottom";
    int darkest = 255;
    for (int x = 3; x < 15; ++x)
        for (int y = 4; y < 22; ++y) darkest = std::min(darkest, image.pixelColor(x, y).lightness());
    EXPECT_LT(darkest, 40) << "black text";
}

TEST_F(EntryFieldTest, PressInABandLeavesTheCaretWhereItWas) {
    QTest::keyClicks(AnswerBox(), "gnxgnxgnx");
    QTest::keyClick(AnswerBox(), Qt::Key_Home);
    const QRect line = AnswerBox()->TextLine();
    for (const int y : {2, line.top() - 1, line.bottom() + 1, 23}) {
        QTest::mouseClick(AnswerBox(), Qt::LeftButton, {}, QPoint(60, y));
        EXPECT_EQ(AnswerBox()->cursorPosition(), 0) << "a press at y " << y;
    }
    QTest::mouseClick(AnswerBox(), Qt::LeftButton, {}, QPoint(60, line.center().y()));
    EXPECT_GT(AnswerBox()->cursorPosition(), 0) << "a press in the line moves the caret";
}

TEST_F(EntryFieldTest, PointerIsTheTextCursorOverTheLineAndTheArrowOverTheBands) {
    const QRect line = AnswerBox()->TextLine();
    QTest::mouseMove(AnswerBox(), QPoint(60, 2));
    EXPECT_EQ(AnswerBox()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(AnswerBox(), QPoint(60, line.center().y()));
    EXPECT_EQ(AnswerBox()->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseMove(AnswerBox(), QPoint(60, 23));
    EXPECT_EQ(AnswerBox()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(EntryFieldTest, LongTextScrollsSidewaysOnOneLine) {
    QTest::keyClicks(AnswerBox(), QString(80, QLatin1Char('x')));
    AnswerBox()->grab();  // the field scrolls to its caret when it paints
    const QRect caret = AnswerBox()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_LE(caret.right(), AnswerBox()->width());
    EXPECT_EQ(caret.top(), AnswerBox()->TextLine().top());
    EXPECT_EQ(AnswerBox()->text().size(), 80);
}

TEST_F(EntryFieldTest, PasswordBoxShowsTypedCharactersUnmasked) {
    auto* passwordBox = static_cast<QLineEdit*>(Control("编辑框3"));
    QTest::keyClicks(passwordBox, "secret");
    EXPECT_EQ(passwordBox->displayText(), "secret");
}

TEST_F(EntryFieldTest, SelectionIsHiddenWithoutFocusAndKeptForTheReturnByMouse) {
    QTest::keyClicks(AnswerBox(), "gnxgnx");
    AnswerBox()->setSelection(1, 3);
    QTest::mouseClick(Control("编辑框2"), Qt::LeftButton, {}, QPoint(50, 12));
    EXPECT_FALSE(AnswerBox()->hasSelectedText()) << "no selection shows while the box has no focus";
    QTest::mouseClick(AnswerBox(), Qt::LeftButton, {}, QPoint(60, 2));
    EXPECT_EQ(QApplication::focusWidget(), AnswerBox());
    EXPECT_EQ(AnswerBox()->selectedText(), "nxg");
}

TEST_F(EntryFieldTest, CaptionWiderThanTheButtonWrapsOntoTwoLines) {
    platform::qt::PushButton button(QStringLiteral("A caption far too long"), window);
    button.setGeometry(10, 10, 90, 44);
    button.show();
    const QImage image = button.grab().toImage();
    int lines = 0;
    bool inText = false;
    for (int y = 3; y < image.height() - 3; ++y) {
        bool dark = false;
        for (int x = 3; x < image.width() - 3 && !dark; ++x) dark = image.pixelColor(x, y).lightness() < 110;
        if (dark && !inText) ++lines;
        inText = dark;
    }
    EXPECT_EQ(lines, 2);
}

}  // namespace
