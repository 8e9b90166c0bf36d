// File > Restore Originals: the selected files get back their oldest backup, each after the file
// as it is now has been kept in the backup folder too.
#include "common/report_error.h"
#include "engine/backup.h"
#include "platform/app_info.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "window/frm.h"

#include <string>
#include <vector>

namespace qv {
namespace {

constexpr const char *kRestoreTitle = "Restore Originals";

} // namespace

void frm::ConnectRestoreHandlers()
{
    connect(mnuFileRestore, &MenuItem::Click, this, [this] {
        Handle("mnuFileRestore_Click", [this] { mnuFileRestore_Click(); });
    });
}

void frm::mnuFileRestore_Click()
{
    const std::string backupFolder = JoinPath(File->Path(), std::string(kAppTitle) + " Backup");
    std::vector<std::string> restorable;
    std::vector<std::string> missing;
    for (int i = 0; i < File->ListCount(); ++i) {
        if (!File->Selected(i)) {
            continue;
        }
        const std::string path = JoinPath(File->Path(), File->List(i));
        (OldestBackup(path, backupFolder).empty() ? missing : restorable).push_back(File->List(i));
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
            restored += RestoreOriginal(JoinPath(File->Path(), name), backupFolder) ? 1 : 0;
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

} // namespace qv
