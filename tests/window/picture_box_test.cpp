// The picture box painted for real: the appeal picture from its top-left corner, cut
// by the box, and the background alone where a picture cannot be decoded.
#include <QTest>

#include "resources/embedded.h"
#include "tests/window/window_fixture.h"
#include "ui/picture_box.h"
#include "ui/picture_decoder.h"

namespace {

using test::MainWindowTest;

QImage Expected(const ui::DecodedPicture& picture) {
    return QImage(picture.redGreenBlue.data(), picture.width, picture.height, picture.width * 3,
                  QImage::Format_RGB888)
        .convertToFormat(QImage::Format_RGB32);
}

TEST_F(MainWindowTest, PictureBoxShowsTheAppealPictureFromItsTopLeftCorner) {
    const auto decoded = ui::DecodePicture(resources::AppealPicture());
    ASSERT_TRUE(decoded);
    QWidget* box = Control("图片框1");
    const QImage painted = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(painted.size(), QSize(227, 219));
    EXPECT_EQ(painted, Expected(*decoded).copy(0, 0, 227, 219)) << "every pixel of the visible part";
}

TEST_F(MainWindowTest, PictureBoxIgnoresTheMouse) {
    QWidget* box = Control("图片框1");
    const QImage before = box->grab().toImage();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(box, QPoint(100, 100));
    EXPECT_EQ(box->grab().toImage(), before);
    EXPECT_EQ(box->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(QApplication::focusWidget(), Control("编辑框1"));
}

TEST_F(MainWindowTest, PictureThatCannotBeDecodedLeavesTheBackgroundAlone) {
    const std::uint8_t notAPicture[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ui::PictureBox behaviour(ui::PicBoxSettings{.picture = notAPicture});
    platform::qt::SelfPaintedArea area(window, {.rectangle = {0, 0, 40, 30}}, behaviour);
    area.setGeometry(0, 0, 40, 30);
    const QImage painted = area.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage face(40, 30, QImage::Format_RGB32);
    face.fill(QApplication::palette().color(QPalette::Window));
    EXPECT_EQ(painted, face);
}

}  // namespace
