// Dropping onto the window: a folder opens as the picture folder, as the folder choice does;
// picture files open their folder with them selected.
#include "common/paths.h"
#include "common/report_error.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "platform/utf8_path.h"
#include "window/frm.h"

#include <algorithm>
#include <set>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace qv {
namespace {

std::vector<std::string> LocalPaths(const QMimeData *data)
{
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile().toStdString());
        }
    }
    return paths;
}

} // namespace

void frm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!LocalPaths(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void frm::dropEvent(QDropEvent *event)
{
    const std::vector<std::string> paths = LocalPaths(event->mimeData());
    if (paths.empty()) {
        return;
    }
    event->acceptProposedAction();
    Handle("Form_DragDrop", [this, paths] { DropPaths(paths); });
}

void frm::DropPaths(const std::vector<std::string> &paths)
{
    try {
        // A folder wins; otherwise the folder of the first file, with every dropped file of it.
        const auto folder = std::find_if(paths.begin(), paths.end(), FolderExists);
        if (folder != paths.end()) {
            if (*folder != File->Path()) {
                OpenPictureFolder(*folder);
            }
            if (File->ListCount() > 0) {
                File->SetSelected(0, true);
            }
            return;
        }
        const std::string parent = Utf8Text(Utf8Path(paths.front()).parent_path());
        if (!FolderExists(parent)) {
            return;
        }
        if (parent != File->Path()) {
            OpenPictureFolder(parent);
        }
        std::set<std::string> names;
        for (const std::string &path : paths) {
            if (Utf8Text(Utf8Path(path).parent_path()) == parent) {
                names.insert(FileNameFromPath(path));
            }
        }
        File->clearSelection();
        bool first = true;
        for (int i = 0; i < File->ListCount(); ++i) {
            if (names.count(File->List(i)) != 0) {
                // The first dropped file becomes the current one, the preview's.
                if (first) {
                    File->SetSelected(i, true);
                    first = false;
                } else {
                    File->item(i)->setSelected(true);
                }
            }
        }
    } catch (const Failure &failure) {
        ReportError(dialogs_, "Form_DragDrop", failure);
    }
}

} // namespace qv
