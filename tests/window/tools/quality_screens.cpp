// Looks at each Quality choice on one picture: starts the main window on a picture folder, shows
// the preview, clicks through every distance and dithering item as a user would and saves a
// picture of the window after each click, printing the report line under the picture frame and
// how long the click took until the window showed the new preview (its latency). Each distance's
// ditherings are clicked twice: the first time finds new colours and pairs, the second is the
// warm click of a user going back and forth. Last, Keep Exact Colors with each dithering under
// CIEDE2000.
//
//   quality_screens <picture folder> <settings folder> <output folder>
//
// The settings folder gets a fresh settings file naming the picture folder; the first picture
// of the folder is previewed. Dialogs are answered by nobody: any dialog ends the run.
#include "common/option_table.h"
#include "platform/scripted_dialog_service.h"
#include "tests/window/test_window.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>
#include <QPixmap>

namespace {

// Triggers the item, waits until the window has shown what it did, saves the window (unless out
// is empty) and prints the report line and the milliseconds the click took.
bool Click(
    qv::test::TestWindow &window, QAction *item, const std::string &out, const std::string &name)
{
    const auto start = std::chrono::steady_clock::now();
    item->trigger();
    QApplication::processEvents();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    const std::string file = out + "/" + name + ".png";
    if (!out.empty() && !window.grab().save(QString::fromStdString(file))) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return false;
    }
    std::printf(
        "%-32s %7.1f ms  %s\n", name.c_str(), took.count(), window.lblReport->Caption().c_str());
    return true;
}

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
    const auto &distances = qv::options::kDistance.names;
    const auto &ditherings = qv::options::kDithering.names;
    for (std::size_t d = 0; d < window.mnuQualityDistance.size(); ++d) {
        window.mnuQualityDistance[d]->trigger();
        for (const bool again : {false, true}) {
            for (std::size_t k = 0; k < window.mnuQualityDithering.size(); ++k) {
                const std::string name = std::string(distances[d].word) + "-" + ditherings[k].word
                    + (again ? "-again" : "");
                if (!Click(window, window.mnuQualityDithering[k], again ? "" : out, name)) {
                    return 1;
                }
            }
        }
    }
    window.mnuQualityKeepExact->trigger();
    for (std::size_t k = 1; k < window.mnuQualityDithering.size(); ++k) {
        const std::string name = std::string("ciede2000-") + ditherings[k].word + "-keep-exact";
        if (!Click(window, window.mnuQualityDithering[k], out, name)) {
            return 1;
        }
    }
    for (const auto &shown : dialogs.Log()) {
        std::fprintf(stderr, "dialog: %s\n", shown.text.c_str());
    }
    return dialogs.Log().empty() ? 0 : 1;
}
