#include "platform/qt/image_box.h"

#include <set>

#include <QImage>
#include <QPixmap>

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qv {
namespace {

// Four pixels of clearly different colours, so any blending shows as a fifth colour.
QImage FourColours()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(255, 255, 255));
    return image;
}

QImage Shown(ImageBox &box)
{
    return box.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(ImageBox, WithoutStretchingTakesThePicturesSize)
{
    ImageBox box;
    box.resize(256, 256);
    box.SetPicture(FourColours());
    EXPECT_EQ(box.size(), QSize(2, 2));
    EXPECT_EQ(box.WidthTwips(), 30);

    box.SetStretch(true);
    box.SetWidthTwips(3840.0);
    box.SetHeightTwips(2880.0F);
    EXPECT_EQ(box.size(), QSize(256, 192));
    box.SetPicture(FourColours());
    EXPECT_EQ(box.size(), QSize(256, 192)) << "a stretched box keeps its size";

    box.SetStretch(false);
    EXPECT_EQ(box.size(), QSize(2, 2));
}

TEST(ImageBox, StretchesWithNearestNeighbourSamplingOnly)
{
    ImageBox box;
    box.SetStretch(true);
    box.resize(8, 8);
    box.SetPicture(FourColours());

    const QImage shown = Shown(box);
    ASSERT_EQ(shown.size(), QSize(8, 8));
    const struct {
        QPoint at;
        QRgb colour;
    } expected[] = {{{0, 0}, qRgb(255, 0, 0)},
        {{3, 3}, qRgb(255, 0, 0)},
        {{4, 3}, qRgb(0, 255, 0)},
        {{7, 0}, qRgb(0, 255, 0)},
        {{3, 4}, qRgb(0, 0, 255)},
        {{4, 4}, qRgb(255, 255, 255)},
        {{7, 7}, qRgb(255, 255, 255)}};
    for (const auto &e : expected) {
        EXPECT_EQ(shown.pixel(e.at), e.colour) << e.at.x() << "," << e.at.y();
    }
    std::set<QRgb> colours;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            colours.insert(shown.pixel(x, y));
        }
    }
    EXPECT_EQ(colours.size(), 4u) << "a smooth scale would mix colours";
}

TEST(ImageBox, ClearingThePictureShowsNothing)
{
    ImageBox box;
    box.SetPicture(FourColours());
    ASSERT_TRUE(box.HasPicture());
    box.ClearPicture();
    EXPECT_FALSE(box.HasPicture());
    EXPECT_TRUE(box.Picture().isNull());
}

TEST(ImageBox, MouseDownReportsButtonAndPlaceInTwips)
{
    ImageBox box;
    box.resize(100, 100);
    box.show();
    QSignalSpy presses(&box, &ImageBox::MouseDown);

    QTest::mousePress(&box, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 20));

    ASSERT_EQ(presses.count(), 1);
    const QList<QVariant> args = presses.at(0);
    EXPECT_EQ(args.at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(args.at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(args.at(2).toDouble(), 150.0);
    EXPECT_DOUBLE_EQ(args.at(3).toDouble(), 300.0);
    QTest::mouseRelease(&box, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 20));
}

} // namespace
} // namespace qv
