// Dropping a folder or picture files onto the window, as a file manager's drag delivers them.
#include "tests/window/window_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

namespace qv {
namespace {

void Drop(QWidget &window, const std::vector<std::string> &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string &path : paths) {
        urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
    }
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

std::vector<std::string> SelectedNames(test::TestWindow &window)
{
    std::vector<std::string> names;
    for (int i = 0; i < window.File->ListCount(); ++i) {
        if (window.File->Selected(i)) {
            names.push_back(window.File->List(i));
        }
    }
    return names;
}

TEST(FrmDrop, AFolderOpensAsThePictureFolderAndIsStored)
{
    test::WindowFixture fixture;
    test::TestWindow &window = fixture.Start();
    test::TempDir other;
    for (const char *name : {"x.bmp", "y.bmp"}) {
        other.Write(name, test::ReadBytes(fixture.Picture(name, 8, 8)));
    }
    Drop(window, {other.Path()});
    EXPECT_EQ(window.File->Path(), other.Path());
    EXPECT_EQ(window.File->ListCount(), 2);
    EXPECT_EQ(SelectedNames(window), std::vector<std::string> {"x.bmp"});
    EXPECT_TRUE(fixture.SettingsHold("Path", other.Path()));
    EXPECT_TRUE(fixture.dialogs.Log().empty());
}

TEST(FrmDrop, FilesOpenTheirFolderWithThemSelected)
{
    test::WindowFixture fixture;
    test::TestWindow &window = fixture.Start();
    test::TempDir other;
    for (const char *name : {"a.bmp", "b.bmp", "c.bmp"}) {
        other.Write(name, test::ReadBytes(fixture.Picture(name, 8, 8)));
    }
    Drop(window, {other.File("c.bmp"), other.File("a.bmp")});
    EXPECT_EQ(window.File->Path(), other.Path());
    EXPECT_EQ(SelectedNames(window), (std::vector<std::string> {"a.bmp", "c.bmp"}));
    EXPECT_EQ(window.File->FileName(), "a.bmp");
    EXPECT_TRUE(fixture.SettingsHold("Path", other.Path()));
}

} // namespace
} // namespace qv
