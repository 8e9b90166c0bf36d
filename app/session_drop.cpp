// Dropping onto the window: a folder opens as the picture folder, as the folder choice does;
// picture files open their folder with them selected.
#include "app/session.h"
#include "common/paths.h"
#include "common/report_error.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "platform/utf8_path.h"

#include <algorithm>
#include <set>

namespace qv {

void Session::DropPaths(const std::vector<std::string> &paths)
{
    if (paths.empty()) {
        return;
    }
    try {
        // A folder wins; otherwise the folder of the first file, with every dropped file of it.
        const auto folder = std::find_if(paths.begin(), paths.end(), FolderExists);
        if (folder != paths.end()) {
            if (*folder != files_.Path()) {
                OpenPictureFolder(*folder);
            }
            if (files_.ListCount() > 0) {
                SelectFile(0);
            }
            return;
        }
        const std::string parent = Utf8Text(Utf8Path(paths.front()).parent_path());
        if (!FolderExists(parent)) {
            return;
        }
        if (parent != files_.Path()) {
            OpenPictureFolder(parent);
        }
        std::set<std::string> names;
        for (const std::string &path : paths) {
            if (Utf8Text(Utf8Path(path).parent_path()) == parent) {
                names.insert(FileNameFromPath(path));
            }
        }
        // Every dropped file of the folder is selected; the first becomes the current one, the
        // preview's.
        std::vector<bool> dropped(static_cast<std::size_t>(files_.ListCount()), false);
        int first = -1;
        for (int i = 0; i < files_.ListCount(); ++i) {
            if (names.count(files_.List(i)) != 0) {
                dropped[static_cast<std::size_t>(i)] = true;
                first = first < 0 ? i : first;
            }
        }
        if (first < 0) {
            files_.ClearSelection();
            Tell(Change::Selection);
            return;
        }
        File_SelectionChanged(dropped, first);
    } catch (const Failure &failure) {
        ReportError(dialogs_, "Form_DragDrop", failure);
    }
}

} // namespace qv
