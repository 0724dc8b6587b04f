// Labels and the link painted for real: wrapping, vertical centring, clipping and
// leading spaces; the link's colours as the pointer comes and goes and an opening
// succeeds or fails; its pointer; and the labels' relay request.
#include <QBitmap>
#include <QPainter>
#include <QTest>

#include "platform/qt/widgets.h"
#include "tests/window/window_fixture.h"
#include "ui/label.h"
#include "ui/link.h"

namespace {

using test::Calls;
using test::MainWindowTest;

// Rows (or columns) of the image holding a pixel of the colour, allowing for the
// blend of antialiased edges by asking for a close match.
bool Near(QColor pixel, QColor colour) {
    return std::abs(pixel.red() - colour.red()) < 40 && std::abs(pixel.green() - colour.green()) < 40 &&
           std::abs(pixel.blue() - colour.blue()) < 40;
}

std::vector<int> RowsWith(const QImage& image, QColor colour) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Near(image.pixelColor(x, y), colour)) {
                rows.push_back(y);
                break;
            }
    return rows;
}

int FirstColumnWith(const QImage& image, QColor colour) {
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (Near(image.pixelColor(x, y), colour)) return x;
    return -1;
}

// How many separate bands of rows the rows form.
int Bands(const std::vector<int>& rows) {
    int bands = 0;
    for (std::size_t at = 0; at < rows.size(); ++at)
        if (at == 0 || rows[at] != rows[at - 1] + 1) ++bands;
    return bands;
}

int CountExactly(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
    return count;
}

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);
const QColor Hover(65, 138, 211);
const QColor Visited(128, 0, 0);

TEST_F(MainWindowTest, IntroductionWrapsOntoSeveralLinesFromItsTopEdge) {
    const QImage image = Control("标签2")->grab().toImage();
    const auto rows = RowsWith(image, Blue);
    ASSERT_FALSE(rows.empty());
    // Centred, three lines would leave about ten empty rows above them.
    EXPECT_LE(rows.front(), 6) << "the first line starts at the top edge";
    EXPECT_EQ(Bands(rows), 3) << "three lines of 16-pixel text";
    const int firstLineEnd = rows.front() + 16;
    EXPECT_GT(FirstColumnWith(image.copy(0, 0, image.width(), firstLineEnd), Blue), 2 * 4)
        << "four leading spaces indent the first line";
    EXPECT_LE(FirstColumnWith(image.copy(0, firstLineEnd, image.width(), 20), Blue), 2)
        << "the next line starts at the left edge";
}

TEST_F(MainWindowTest, SingleLineLabelsAreCentredVertically) {
    struct Case {
        const char* name;
        QColor colour;
    };
    for (const Case& test : {Case{"标签3", Red}, Case{"标签1", Black}, Case{"标签5", Black}, Case{"标签6", Black}}) {
        const QImage image = Control(test.name)->grab().toImage();
        const auto rows = RowsWith(image, test.colour);
        ASSERT_FALSE(rows.empty()) << test.name;
        EXPECT_LT(rows.back() - rows.front(), 18) << test.name << " is one line";
        const int above = rows.front();
        const int below = image.height() - 1 - rows.back();
        EXPECT_LE(std::abs(above - below), 4) << test.name << ": " << above << " above, " << below << " below";
    }
}

TEST_F(MainWindowTest, LeadingSpacesIndentTheCaptions) {
    const int answer = FirstColumnWith(Control("标签1")->grab().toImage(), Black);
    const int account = FirstColumnWith(Control("标签5")->grab().toImage(), Black);
    const int password = FirstColumnWith(Control("标签6")->grab().toImage(), Black);
    EXPECT_LE(account, 2) << "no spaces before YUVOvip账号";
    EXPECT_GT(answer, account + 4) << "two spaces";
    EXPECT_GT(password, answer + 8) << "seven spaces";
}

TEST_F(MainWindowTest, TooLongCaptionIsCutAtTheRightEdgeWithoutAnEllipsis) {
    // The label draws exactly what an unclipped line of the same text shows there.
    QWidget* label = Control("标签5");
    const QImage painted = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage expected(painted.size(), QImage::Format_RGB32);
    expected.fill(QApplication::palette().color(QPalette::Window));
    QPainter painter(&expected);
    painter.setFont(platform::qt::DefaultGuiFont());
    painter.setPen(Black);
    painter.drawText(QRect(0, 0, 1000, painted.height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromUtf8("YUVOvip账号"));
    painter.end();
    EXPECT_EQ(painted, expected);
    EXPECT_GT(QFontMetrics(platform::qt::DefaultGuiFont()).horizontalAdvance(QString::fromUtf8("YUVOvip账号")),
              label->width())
        << "the caption is wider than its label";
}

TEST_F(MainWindowTest, LabelsTakeNoClicksAndAnswerTheirRelayRequest) {
    platform::qt::RelayRequest toBound(7, -9);
    QCoreApplication::sendEvent(Control("标签1"), &toBound);
    EXPECT_EQ(Calls().relays, 1) << "the bound relay handler runs";
    EXPECT_EQ(toBound.result, 0) << "a handler without a result hands back 0";
    platform::qt::RelayRequest toUnbound(1, 2);
    QCoreApplication::sendEvent(Control("标签2"), &toUnbound);
    EXPECT_EQ(Calls().relays, 1);
    EXPECT_EQ(toUnbound.result, 0);
    QTest::mouseClick(Control("标签1"), Qt::LeftButton);
    EXPECT_EQ(Calls().relays, 1) << "a click raises nothing";
}

TEST_F(MainWindowTest, LinkShowsThePointingHandDrawnForTheProgram) {
    const QCursor cursor = Control("超级链接框1")->cursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(6, 1));
    const QImage bitmap = cursor.bitmap().toImage();
    const QImage mask = cursor.mask().toImage();
    ASSERT_EQ(bitmap.size(), QSize(32, 32));
    const auto set = [](const QImage& image, int x, int y) { return image.pixelIndex(x, y) != 0; };
    // The fingertip is black (bit and mask set), the finger white (mask only), the
    // corners transparent (neither).
    EXPECT_TRUE(set(bitmap, 6, 1) && set(mask, 6, 1));
    EXPECT_TRUE(!set(bitmap, 6, 4) && set(mask, 6, 4));
    EXPECT_TRUE(!set(bitmap, 0, 0) && !set(mask, 0, 0));
    EXPECT_TRUE(!set(bitmap, 31, 31) && !set(mask, 31, 31));
    EXPECT_EQ(Control("标签1")->cursor().shape(), Qt::ArrowCursor);
}

// Answers the link's openings as the test says and counts them.
class StandInDesktop final : public ui::Desktop {
public:
    bool opens = true;
    int openings = 0;
    bool OpenWithDefaultHandler(std::string_view) override {
        ++openings;
        return opens;
    }
    std::optional<std::string> FindWebPageCommand() override { return std::nullopt; }
    bool RunCommandLine(std::string_view) override { return false; }
};

class LinkTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        link = std::make_unique<ui::Link>(settings, desktop);
        area = std::make_unique<platform::qt::SelfPaintedArea>(window, platform::ControlPlacement{}, *link);
        area->setGeometry(300, 10, 84, 25);
        area->show();
        test::Settle();
    }
    void TearDown() override {
        area.reset();
        link.reset();
        MainWindowTest::TearDown();
    }
    QImage Shown() const { return area->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    void MoveInside() const { QTest::mouseMove(area.get(), QPoint(40, 12)); }
    void MoveOutside() const { QTest::mouseMove(area.get(), QPoint(120, 40)); }

    const ui::LinkSettings settings{.caption = "Open", .webAddress = "https://www.yuvovip.example/",
                                    .linkColour = 0x00FF0000, .visitedColour = 0x00000080, .hoverColour = 0x00D38A41,
                                    .font = platform::FontDescription{.characterHeight = 14}};
    StandInDesktop desktop;
    std::unique_ptr<ui::Link> link;
    std::unique_ptr<platform::qt::SelfPaintedArea> area;
};

TEST_F(LinkTest, ColourFollowsThePointerAndTheOutcomeOfOpening) {
    EXPECT_GT(CountExactly(Shown(), Blue), 10) << "blue at rest";
    MoveInside();
    EXPECT_GT(CountExactly(Shown(), Hover), 10) << "the hover colour under the pointer";
    EXPECT_EQ(CountExactly(Shown(), Blue), 0);
    MoveOutside();
    EXPECT_GT(CountExactly(Shown(), Blue), 10) << "blue again once the pointer left";
    MoveInside();
    QTest::mousePress(area.get(), Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(desktop.openings, 1) << "the press opens, not the release";
    EXPECT_GT(CountExactly(Shown(), Hover), 10) << "still hovered after a successful opening";
    QTest::mouseRelease(area.get(), Qt::LeftButton, {}, QPoint(40, 12));
    MoveOutside();
    EXPECT_GT(CountExactly(Shown(), Visited), 10) << "dark red once visited and left";
    EXPECT_EQ(CountExactly(Shown(), Blue), 0);
}

TEST_F(LinkTest, FailedOpeningLeavesTheLinkBlue) {
    desktop.opens = false;
    MoveInside();
    QTest::mouseClick(area.get(), Qt::LeftButton, {}, QPoint(40, 12));
    MoveOutside();
    EXPECT_EQ(desktop.openings, 1);
    EXPECT_GT(CountExactly(Shown(), Blue), 10);
    EXPECT_EQ(CountExactly(Shown(), Visited), 0);
}

TEST_F(LinkTest, DoubleClickOpensOnceAndTheRightButtonNever) {
    MoveInside();
    // A double-click arrives as a press and release, then a double-click event.
    QTest::mouseClick(area.get(), Qt::LeftButton, {}, QPoint(40, 12));
    QTest::mouseDClick(area.get(), Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(desktop.openings, 1);
    QTest::mouseClick(area.get(), Qt::RightButton, {}, QPoint(40, 12));
    EXPECT_EQ(desktop.openings, 1);
}

TEST_F(LinkTest, PressThenDragAwayStillOpensButAPressOutsideDoesNot) {
    MoveInside();
    QTest::mousePress(area.get(), Qt::LeftButton, {}, QPoint(40, 12));
    QTest::mouseMove(area.get(), QPoint(200, 80));
    QTest::mouseRelease(area.get(), Qt::LeftButton, {}, QPoint(200, 80));
    EXPECT_EQ(desktop.openings, 1);
    MoveInside();
    QTest::mousePress(area.get(), Qt::LeftButton, {}, QPoint(-30, -30));
    EXPECT_EQ(desktop.openings, 1) << "a press that reaches the link while it holds the pointer, but lands outside";
}

}  // namespace
