// The File menu's own commands: Restore Originals, which gives the selected files back their
// oldest backup (each after the file as it is now has been kept in the backup folder too), and
// Exit.
#include "app/session.h"
#include "common/report_error.h"
#include "engine/backup.h"
#include "platform/failure.h"
#include "platform/files.h"

#include <string>
#include <vector>

namespace qv {
namespace {

constexpr const char *kRestoreTitle = "Restore Originals";

} // namespace

void Session::mnuFileRestore_Click()
{
    const std::string backupFolder = BackupFolderIn(files_.Path());
    std::vector<std::string> restorable;
    std::vector<std::string> missing;
    for (int i = 0; i < files_.ListCount(); ++i) {
        if (!files_.Selected(i)) {
            continue;
        }
        const std::string path = JoinPath(files_.Path(), files_.List(i));
        (OldestBackup(path, backupFolder).empty() ? missing : restorable).push_back(files_.List(i));
    }
    if (restorable.empty() && missing.empty()) {
        return; // nothing selected
    }
    std::string missingText;
    for (const std::string &name : missing) {
        missingText += "\n" + name;
    }
    if (restorable.empty()) {
        dialogs_.MessageBox("No backup was found for the selected file(s):" + missingText,
            kRestoreTitle,
            MessageIcon::Information);
        return;
    }
    if (!dialogs_.Confirm("Restore the originals of " + std::to_string(restorable.size())
                + " file(s)? Each gets back its oldest backup; the file as it is now is kept in "
                  "the backup folder.",
            kRestoreTitle)) {
        return;
    }
    std::size_t restored = 0;
    for (const std::string &name : restorable) {
        try {
            restored += RestoreOriginal(JoinPath(files_.Path(), name), backupFolder) ? 1 : 0;
        } catch (const Failure &failure) {
            ReportError(dialogs_, "mnuFileRestore_Click", failure);
        }
    }
    File_Click();
    if (!missing.empty()) {
        dialogs_.MessageBox(
            "No backup was found for these file(s), left as they are:" + missingText,
            kRestoreTitle,
            MessageIcon::Information);
    }
    dialogs_.MessageBox(
        "Restored " + std::to_string(restored) + " file(s).", "Finished", MessageIcon::Information);
}

void Session::mnuFileExit_Click()
{
    // Nothing is saved here: every setting was written when it changed.
    view_.CloseWindow();
}

} // namespace qv
