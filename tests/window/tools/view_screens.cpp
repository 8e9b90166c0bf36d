// Looks at the View menu on one picture: starts the main window on a picture folder with a
// palette and a colour map, shows the preview alone, beside the original and as its difference,
// then the preview at three light levels; then, in a window enlarged to 1000 x 700, side by side
// at 4x with the mouse over a pixel of the original and over the preview, and the difference at
// 4x. It saves a picture of the window after each, printing the line under the picture frame.
//
//   view_screens <picture folder> <settings folder> <output folder> <palette file> <colour map
//   file>
//
// The settings folder gets a fresh settings file; the first picture of the folder is previewed.
// Dialogs other than the light level's slider are answered by nobody: any other dialog ends the run.
#include "platform/scripted_dialog_service.h"
#include "tests/window/test_window.h"

#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>

namespace {

bool Save(qv::test::TestWindow &window, const std::string &out, const std::string &name)
{
    QApplication::processEvents();
    const std::string file = out + "/" + name + ".png";
    if (!window.grab().save(QString::fromStdString(file))) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return false;
    }
    std::printf("%-14s %s\n", name.c_str(), window.lblReport->Caption().c_str());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 6) {
        std::fprintf(stderr,
            "usage: %s <picture folder> <settings folder> <output folder> <palette file> "
            "<colour map file>\n",
            argv[0]);
        return 2;
    }
    const std::string settings = std::string(argv[2]) + "/quorvantile.ini";
    const std::string out = argv[3];
    std::ofstream(settings, std::ios::binary)
        << "[General]\r\nPath=" << argv[1] << "\r\nPalette=7\r\nExternalPalette=" << argv[4]
        << "\r\nColorMap=" << argv[5] << "\r\nLightLevel=0\r\n";

    qv::ScriptedDialogService dialogs;
    qv::test::TestWindow window(dialogs);
    window.Form_Load(settings, argv[2]);
    window.show();
    window.File->setCurrentRow(0);
    const char *views[] = {"original", "preview", "side-by-side", "difference"};
    for (std::size_t v = 0; v < window.mnuViewPicture.size(); ++v) {
        window.mnuViewPicture[v]->trigger();
        if (!Save(window, out, views[v])) {
            return 1;
        }
    }
    window.mnuViewPicture[1]->trigger();
    for (const int level : {0, 16, 28}) {
        dialogs.QueueSlider({level}, true);
        window.mnuViewLightLevel->trigger();
        if (!Save(window, out, "light-" + std::to_string(level))) {
            return 1;
        }
    }
    window.mnuViewNoColorMap->trigger();
    window.resize(1000, 700);
    window.mnuViewZoom[3]->trigger();
    window.mnuViewPicture[2]->trigger();
    if (!Save(window, out, "side-by-side-4x")) {
        return 1;
    }
    // Over picture pixel (20, 30) of the original, then of the preview (68 pixels further right).
    for (const int x : {20, 88}) {
        const QPointF at(x * 4 + 2, 30 * 4 + 2);
        QMouseEvent move(QEvent::MouseMove,
            at,
            window.img->mapToGlobal(at),
            Qt::NoButton,
            Qt::NoButton,
            Qt::NoModifier);
        QApplication::sendEvent(window.img, &move);
        if (!Save(window, out, x == 20 ? "hover-original" : "hover-preview")) {
            return 1;
        }
    }
    window.mnuViewPicture[3]->trigger();
    if (!Save(window, out, "difference-4x")) {
        return 1;
    }
    for (const auto &shown : dialogs.Log()) {
        if (shown.title != "Light Level") {
            std::fprintf(stderr, "dialog: %s: %s\n", shown.title.c_str(), shown.text.c_str());
            return 1;
        }
    }
    return 0;
}
