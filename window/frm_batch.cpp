// "Convert" and "Find Minimum": the loops over the selected entries of the file list.
#include "common/numbers.h"
#include "common/report_error.h"
#include "engine/load_bmp_file.h"
#include "engine/resize_bmp.h"
#include "engine/square_size.h"
#include "platform/app_info.h"
#include "platform/checked.h"
#include "platform/files.h"
#include "platform/qt/mouse_pointer.h"
#include "platform/temporary_files.h"
#include "window/frm.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace qv {
namespace {

// The output size as the size label shows it; the conversion reads the label, not the bar.
std::int32_t SizeFromCaption(const Label &label)
{
    const std::optional<double> number = ParseNumber(label.Caption());
    const std::optional<std::int32_t> size = number ? RoundToInt32(*number) : std::nullopt;
    if (!size) {
        Fail(kTypeMismatch);
    }
    return *size;
}

// The list is addressed with 16-bit indices; a longer list cannot be walked.
int EntryCount(const FileListBox &list)
{
    return CheckedCast<std::int16_t>(list.ListCount());
}

} // namespace

void frm::ConnectBatchHandlers()
{
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        Handle("cmdOK_Click", [this] { cmdOK_Click(); });
    });
    connect(cmdAnalyze, &QPushButton::clicked, this, [this] {
        Handle("cmdAnalyze_Click", [this] { cmdAnalyze_Click(); });
    });
}

void frm::cmdOK_Click()
{
    try {
        std::int32_t converted = 0;
        {
            const BusyPointer busy;
            const std::string backupName = std::string(kAppTitle) + " Backup";
            backupFolder_ = JoinPath(File->Path(), backupName);
            if (PathExists(backupFolder_) && !FolderExists(backupFolder_)) {
                // Every backup copy would fail on it; say so once instead of once per file.
                throw Failure(kPathFileAccessError,
                    "A file named " + backupName + " stands where the backup folder should be: "
                        + NativePath(backupFolder_) + ". Nothing was converted.");
            }
            // Another window or a build script converting the same folder may create it first.
            EnsureFolder(backupFolder_);
            // What an earlier run that was killed mid-write left behind.
            const auto batchStart = std::filesystem::file_time_type::clock::now();
            RemoveLeftTemporaryFiles(File->Path(), batchStart);
            RemoveLeftTemporaryFiles(backupFolder_, batchStart);
            const int count = EntryCount(*File);
            for (int i = 0; i < count; ++i) {
                if (!File->Selected(i)) {
                    continue;
                }
                std::int32_t width = SizeFromCaption(*lblSize);
                std::int32_t height = width;
                ResizeBMP(*this,
                    palette_,
                    CurrentOptions(),
                    JoinPath(File->Path(), File->List(i)),
                    width,
                    height,
                    ResizeDestination::ReplaceInput(backupFolder_));
                converted = CheckedAdd(converted, 1);
            }
            File_Click();
        }
        dialogs_.MessageBox(converted == 0 ? std::string("Nothing to convert.")
                                           : "Converted " + std::to_string(converted) + " file(s).",
            "Finished",
            MessageIcon::Information);
    } catch (const Failure &failure) {
        ReportError(dialogs_, "cmdOK_Click", failure);
    }
}

void frm::cmdAnalyze_Click()
{
    try {
        std::int32_t largest = 0;
        const int count = EntryCount(*File);
        for (int i = 0; i < count; ++i) {
            if (!File->Selected(i)) {
                continue;
            }
            // A refused picture has shown its own message and is left out of the measure.
            LoadedImage image;
            if (LoadBMPFile(
                    dialogs_, vsbSize->Min(), JoinPath(File->Path(), File->List(i)), image)) {
                largest = std::max({largest, image.width, image.height});
            }
        }
        vsbSize->SetValue(FindMinimumSize(largest, vsbSize->Max(), vsbSize->Min()));
        cmdOK->setFocus();
    } catch (const Failure &failure) {
        ReportError(dialogs_, "cmdAnalyze_Click", failure);
    }
}

} // namespace qv
