// "Convert" and "Find Minimum": the loops over the selected entries of the file list.
#include "app/busy_scope.h"
#include "app/session.h"
#include "common/paths.h"
#include "common/report_error.h"
#include "engine/backup.h"
#include "engine/batch_run.h"
#include "engine/find_minimum.h"
#include "engine/resize_bmp.h"
#include "engine/result_path.h"
#include "platform/checked.h"
#include "platform/files.h"
#include "platform/temporary_files.h"

#include <algorithm>
#include <filesystem>

namespace qv {
namespace {

// The list is addressed with 16-bit indices; a longer list cannot be walked.
int EntryCount(const FileList &list)
{
    return CheckedCast<std::int16_t>(list.ListCount());
}

} // namespace

void Session::cmdOK_Click()
{
    try {
        std::vector<BatchItem> items;
        {
            backupFolder_ = BackupFolderIn(files_.Path());
            if (PathExists(backupFolder_) && !FolderExists(backupFolder_)) {
                // Every backup copy would fail on it; say so once instead of once per file.
                throw Failure(kPathFileAccessError,
                    std::string("A file named ") + kBackupFolderName
                        + " stands where the backup folder should be: " + NativePath(backupFolder_)
                        + ". Nothing was converted.");
            }
            // Another window or a build script converting the same folder may create it first.
            EnsureFolder(backupFolder_);
            // What an earlier run that was killed mid-write left behind.
            const auto batchStart = std::filesystem::file_time_type::clock::now();
            RemoveLeftTemporaryFiles(files_.Path(), batchStart);
            RemoveLeftTemporaryFiles(backupFolder_, batchStart);
            const std::int32_t side = size_.Value();
            const int count = EntryCount(files_);
            for (int i = 0; i < count; ++i) {
                if (files_.Selected(i)) {
                    items.push_back({JoinPath(files_.Path(), files_.List(i)),
                        ResizeDestination::ReplaceInput(backupFolder_),
                        side});
                }
            }
        }
        const BatchOutcome outcome = ConvertItems(items);
        // Results of another format than their input are new files beside it: list them.
        const OutputFormat format = options_.outputFormat;
        if (std::any_of(items.begin(), items.end(), [&](const BatchItem &item) {
                return ResultPath(item.path, format) != item.path;
            })) {
            RefreshKeepingSelection();
        }
        File_Click();
        const std::string total = std::to_string(items.size());
        if (outcome.stopped) {
            dialogs_.MessageBox(
                "Stopped after " + std::to_string(outcome.done) + " of " + total + " file(s).",
                "Stopped",
                MessageIcon::Information);
        } else {
            dialogs_.MessageBox(outcome.done == 0
                    ? std::string("Nothing to convert.")
                    : "Converted " + std::to_string(outcome.done) + " file(s).",
                "Finished",
                MessageIcon::Information);
        }
    } catch (const Failure &failure) {
        ReportError(dialogs_, "cmdOK_Click", failure);
    }
}

Session::BatchOutcome Session::ConvertItems(const std::vector<BatchItem> &items)
{
    // A batch of a few files is over before a progress window would mean anything.
    constexpr std::size_t kProgressAbove = 5;
    std::unique_ptr<ProgressDialog> progress;
    if (items.size() > kProgressAbove) {
        progress = dialogs_.StartProgress(
            "Converting the selected files…", "Convert", static_cast<int>(items.size()));
    }
    const BusyScope busy(view_);
    // The options as they are now serve the whole batch: nothing can change them while it runs
    // but a picture switching Convert Palette on, which the batch follows.
    const ConversionOptions options = CurrentOptions();
    bool stopped = false;
    const std::size_t done = RunBatch(
        options,
        items,
        batchWorkers_,
        [&](std::size_t index, const BatchResult &result) {
            for (const ScriptedDialogService::Shown &shown : result.messages) {
                dialogs_.MessageBox(shown.text, shown.title, shown.icon);
            }
            if (result.conversion.switchedConvertPaletteAtDepth != 0) {
                SwitchConvertPaletteOn();
            }
            if (progress) {
                progress->Show(static_cast<int>(index) + 1, FileNameFromPath(items[index].path));
                stopped = progress->Cancelled();
            }
            return !stopped;
        },
        [&] {
            if (progress) {
                stopped = stopped || progress->Cancelled();
            } else {
                // Repaints only: the window takes no input while its batch runs.
                view_.KeepPainting();
            }
        });
    return {done, stopped && done < items.size()};
}

void Session::cmdAnalyze_Click()
{
    try {
        std::vector<std::string> pictures;
        const int count = EntryCount(files_);
        for (int i = 0; i < count; ++i) {
            if (files_.Selected(i)) {
                pictures.push_back(JoinPath(files_.Path(), files_.List(i)));
            }
        }
        // The size bar's range is what showing pictures has made it.
        SetSizeValue(FindMinimumSquare(
            dialogs_, pictures, size_.Max(), size_.Min(), PicturesShown::Already));
        view_.FocusConvertButton();
    } catch (const Failure &failure) {
        ReportError(dialogs_, "cmdAnalyze_Click", failure);
    }
}

} // namespace qv
