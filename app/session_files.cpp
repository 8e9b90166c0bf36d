// The picture folder, the list of its picture files and the picture frame that shows the current
// file as it is or as it would be converted.
#include "app/session.h"
#include "common/mod_browse_for_folder.h"
#include "common/report_error.h"
#include "common/settings_schema.h"
#include "engine/load_bmp_file.h"
#include "engine/square_size.h"
#include "platform/files.h"

#include <optional>
#include <set>

namespace qv {

void Session::mnuFileOpenFolder_Click()
{
    try {
        const std::string folder = BrowseForFolder(dialogs_, folderTag_, "Select a folder", false);
        if (folder.empty() || folder == files_.Path()) {
            return;
        }
        OpenPictureFolder(folder);
        if (files_.ListCount() > 0) {
            SelectFile(0);
        }
    } catch (const Failure &failure) {
        ReportError(dialogs_, "cmdBrowse_Click", failure);
    }
}

void Session::OpenPictureFolder(const std::string &folder)
{
    ClearPicture();
    folderTag_ = folder;
    files_.SetPath(folder);
    Tell(Change::Folder | Change::FileList | Change::Selection);
    WriteTextSetting(*ini_, settings::kPath, folder);
}

void Session::lblFolder_Click()
{
    mnuFileOpenFolder_Click();
}

void Session::SelectFile(int i)
{
    files_.SetSelected(i, true);
    Tell(Change::Selection);
    File_Click();
}

void Session::SetFileSelection(const std::vector<bool> &selected, int current)
{
    files_.SetSelection(selected, current);
    Tell(Change::Selection);
}

void Session::File_SelectionChanged(const std::vector<bool> &selected, int current)
{
    SetFileSelection(selected, current);
    File_Click();
}

void Session::cmdRefreshFileList_Click()
{
    try {
        std::optional<std::string> current;
        if (files_.ListIndex() >= 0) {
            current = files_.FileName();
        }
        files_.Refresh();
        Tell(Change::FileList | Change::Selection);
        bool reselected = false;
        if (current) {
            for (int i = 0; i < files_.ListCount(); ++i) {
                if (files_.List(i) == *current) {
                    SelectFile(i);
                    reselected = true;
                }
            }
        }
        if (!reselected && files_.ListCount() > 0) {
            SelectFile(0);
        }
    } catch (const Failure &failure) {
        ReportError(dialogs_, "cmdRefreshFileList_Click", failure);
    }
}

void Session::RefreshKeepingSelection()
{
    std::set<std::string> selected;
    for (int i = 0; i < files_.ListCount(); ++i) {
        if (files_.Selected(i)) {
            selected.insert(files_.List(i));
        }
    }
    const std::string current = files_.FileName();
    files_.Refresh();
    for (int i = 0; i < files_.ListCount(); ++i) {
        if (files_.List(i) == current) {
            files_.SetCurrent(i);
        }
    }
    std::vector<bool> flags;
    for (int i = 0; i < files_.ListCount(); ++i) {
        flags.push_back(selected.count(files_.List(i)) != 0);
    }
    files_.SetSelection(flags, files_.ListIndex());
    Tell(Change::FileList | Change::Selection);
}

void Session::ClearPicture()
{
    ShowPicture({});
}

void Session::File_Click()
{
    try {
        const std::string name = files_.FileName();
        if (name.empty()) {
            ClearPicture();
            CurrentPicture = LoadedImage {}; // a click on the empty box must not pick an old colour
            return;
        }
        // A file that cannot be read at all leaves a size of 0 x 0, not the previous picture's.
        CurrentPicture = LoadedImage {};
        const bool loaded =
            LoadBMPFile(dialogs_, size_.Min(), JoinPath(files_.Path(), name), CurrentPicture);
        const std::string size = loaded
            ? std::to_string(CurrentPicture.width) + " x " + std::to_string(CurrentPicture.height)
            : "ERROR x ERROR";
        frameTitle_ = name + ": " + size;
        Tell(Change::FrameTitle);

        // The smallest permitted size only ever goes down and the size only ever up. Only a
        // picture that loaded counts: a refused one counts as 0 x 0, like one that cannot be
        // read at all, whatever its header claims (a broken 512 x 512 file, a side of 100000).
        const std::int32_t width = loaded ? CurrentPicture.width : 0;
        const std::int32_t height = loaded ? CurrentPicture.height : 0;
        const SquareAdjustment square =
            AdjustSquareForPicture(width, height, size_.Max(), size_.Value());
        if (square.smallestPermitted < size_.Max()) {
            SetSizeMax(square.smallestPermitted);
        }
        if (square.size > size_.Value()) {
            SetSizeValue(square.size);
        }

        if (showChoice_ == 1) {
            RefreshPreview();
            return;
        }
        const std::optional<DisplayImage> original = DisplayImageOf(CurrentPicture);
        if (original) {
            ShowPicture({ShownPicture::Kind::Original, *original, {}});
        } else {
            ClearPicture();
        }
    } catch (const Failure &failure) {
        ReportError(dialogs_, "File_Click", failure);
        ClearPicture();
    }
}

void Session::SetShowChoice(int index)
{
    if (index != 0 && index != 1) {
        Fail(kSubscriptOutOfRange);
    }
    showChoice_ = index;
    Tell(Change::ShowChoice);
}

void Session::optShow_MouseDown(int index)
{
    SetShowChoice(index);
    File_Click();
    view_.FocusConvertButton();
}

} // namespace qv
