#include "tests/support/bmp_builder.h"
#include "tests/window/window_fixture.h"

#include <QApplication>
#include <QWheelEvent>

#include <QTest>
#include <gtest/gtest.h>

namespace qv {
namespace {

// At every zoom the mouse over the picture reads the picture pixel under it, the scrolled part
// included; Ctrl and the wheel step the zoom.
TEST(FrmView, ZoomedPictureReadsThePixelUnderTheMouse)
{
    test::WindowFixture fixture;
    fixture.pictures.Write("a.bmp", test::BuildBmp({.width = 64, .height = 64, .bitCount = 24}));
    test::TestWindow &w = fixture.Start();
    w.show();
    w.session().SelectFile(0);
    const QImage picture = w.img->Picture();
    ASSERT_EQ(picture.size(), QSize(64, 64));
    for (int zoom = 1; zoom < 5; ++zoom) {
        w.mnuViewZoom[static_cast<std::size_t>(zoom)]->trigger();
        const int f = w.img->Zoom();
        ASSERT_EQ(f, 1 << (zoom - 1));
        // Scrolled as far right as the bar goes: the mouse at the box's x shows picture pixel
        // (x + offset) / f.
        w.img->HorizontalBar().setValue(w.img->HorizontalBar().maximum());
        const int offset = w.img->ScrollOffset().x();
        EXPECT_EQ(offset > 0, 64 * f > w.img->width()) << f;
        const QPoint at(37 * f + f - 1 - offset, 21 * f);
        ASSERT_GE(at.x(), 0);
        QTest::mouseMove(w.img, at);
        const QColor color = picture.pixelColor(37, 21);
        EXPECT_EQ(w.lblReport->Caption(),
            "Pixel 37, 21: color " + std::to_string(color.red()) + ","
                + std::to_string(color.green()) + "," + std::to_string(color.blue()))
            << f;
    }
    QWheelEvent in(QPointF(5, 5),
        w.img->mapToGlobal(QPointF(5, 5)),
        QPoint(),
        QPoint(0, -120),
        Qt::NoButton,
        Qt::ControlModifier,
        Qt::NoScrollPhase,
        false);
    QApplication::sendEvent(w.img, &in);
    EXPECT_EQ(w.session().GetZoom(), PictureZoom::X4);

    // The colour grid marks the entries the preview uses.
    w.mnuViewPicture[1]->trigger();
    int marked = 0;
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(w.chkPal[i].UsedMark(), w.session().EntryUsed(i)) << i;
        marked += w.chkPal[i].UsedMark() ? 1 : 0;
    }
    EXPECT_GT(marked, 1);
}

TEST(FrmView, TheWindowSizeIsKeptForTheNextStart)
{
    test::WindowFixture fixture;
    test::TestWindow &first = fixture.Start();
    first.show();
    first.resize(first.size() + QSize(60, 40));
    QApplication::processEvents();
    first.close();
    EXPECT_EQ(first.session().GetWindowWidth(), 771);
    const QPoint convertAt = first.cmdOK->geometry().topLeft();

    fixture.pictures.Write("a.bmp", test::BuildBmp({.width = 8, .height = 8, .bitCount = 24}));
    const std::vector<std::uint8_t> stored = test::ReadBytes(fixture.SettingsPath());
    std::string text(stored.begin(), stored.end());
    text.insert(text.find("[General]\r\n") + 11, "Zoom=3\r\n");
    fixture.program.Write("quorvantile.ini", text);
    test::TestWindow &next = fixture.Start("", false);
    next.show();
    QApplication::processEvents();
    EXPECT_EQ(next.img->Zoom(), 4); // the first picture is shown at the zoom stored
    EXPECT_EQ(next.centralWidget()->size(), QSize(771, 415));
    EXPECT_EQ(next.cmdOK->geometry().topLeft(), convertAt);
}

} // namespace
} // namespace qv
