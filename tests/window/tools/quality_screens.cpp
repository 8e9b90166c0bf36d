// Looks at each Quality choice on one picture: starts the main window on a picture folder, shows
// the preview, clicks through every distance and dithering item as a user would and saves a
// picture of the window after each click, printing the report line under the picture frame.
//
//   quality_screens <picture folder> <settings folder> <output folder>
//
// The settings folder gets a fresh settings file naming the picture folder; the first picture
// of the folder is previewed. Dialogs are answered by nobody: any dialog ends the run.
#include "platform/scripted_dialog_service.h"
#include "tests/window/test_window.h"

#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>
#include <QPixmap>

namespace {

const char *const kDistances[] = {"rgb", "weighted", "oklab", "ciede2000"};
const char *const kDitherings[] = {"none", "fs", "ordered"};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(
            stderr, "usage: %s <picture folder> <settings folder> <output folder>\n", argv[0]);
        return 2;
    }
    const std::string pictures = argv[1];
    const std::string settings = std::string(argv[2]) + "/quorvantile.ini";
    const std::string out = argv[3];
    std::ofstream(settings, std::ios::binary) << "[General]\r\nPath=" << pictures << "\r\n";

    qv::ScriptedDialogService dialogs;
    qv::test::TestWindow window(dialogs);
    window.Form_Load(settings, argv[2]);
    window.show();
    window.optShow[1]->setChecked(true);
    for (std::size_t d = 0; d < window.mnuQualityDistance.size(); ++d) {
        window.mnuQualityDistance[d]->trigger();
        for (std::size_t k = 0; k < window.mnuQualityDithering.size(); ++k) {
            window.mnuQualityDithering[k]->trigger();
            QApplication::processEvents();
            const std::string name = out + "/" + kDistances[d] + "-" + kDitherings[k] + ".png";
            if (!window.grab().save(QString::fromStdString(name))) {
                std::fprintf(stderr, "cannot write %s\n", name.c_str());
                return 1;
            }
            std::printf("%-22s %s\n",
                (std::string(kDistances[d]) + "-" + kDitherings[k]).c_str(),
                window.lblReport->Caption().c_str());
        }
    }
    for (const auto &shown : dialogs.Log()) {
        std::fprintf(stderr, "dialog: %s\n", shown.text.c_str());
    }
    return dialogs.Log().empty() ? 0 : 1;
}
