// The picture folder, the list of its bitmap files and the picture frame that shows the current
// file as it is or as it would be converted.
#include "common/mod_browse_for_folder.h"
#include "common/qt/path_caption.h"
#include "common/report_error.h"
#include "common/settings_schema.h"
#include "engine/load_bmp_file.h"
#include "engine/square_size.h"
#include "platform/files.h"
#include "window/frm.h"
#include "window/original_picture.h"

#include <functional>
#include <optional>
#include <set>
#include <utility>

#include <QEvent>
#include <QSignalBlocker>

namespace qv {
namespace {

// Calls back on every mouse press on the watched widget, before the widget handles it: an option
// button acts on the press, not on the click that follows.
class PressFilter : public QObject
{
public:
    PressFilter(QObject *watched, std::function<void()> onPress)
        : QObject(watched)
        , onPress_(std::move(onPress))
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            onPress_();
        }
        return false;
    }

private:
    std::function<void()> onPress_;
};

} // namespace

void frm::ConnectFileHandlers()
{
    connect(File, &FileListBox::Click, this, [this] {
        Handle("File_Click", [this] { File_Click(); });
    });
    connect(lblFolder, &Label::Click, this, [this] {
        Handle("lblFolder_Click", [this] { lblFolder_Click(); });
    });
    connect(mnuFileOpenFolder, &MenuItem::Click, this, [this] {
        Handle("mnuFileOpenFolder_Click", [this] { mnuFileOpenFolder_Click(); });
    });
    connect(cmdRefreshFileList, &QPushButton::clicked, this, [this] {
        Handle("cmdRefreshFileList_Click", [this] { cmdRefreshFileList_Click(); });
    });
    for (int i = 0; i < static_cast<int>(optShow.size()); ++i) {
        new PressFilter(optShow[i],
            [this, i] { Handle("optShow_MouseDown", [this, i] { optShow_MouseDown(i); }); });
    }
}

void frm::mnuFileOpenFolder_Click()
{
    try {
        const std::string folder =
            BrowseForFolder(dialogs_, mnuFileOpenFolder->Tag(), "Select a folder", false);
        if (folder.empty() || folder == File->Path()) {
            return;
        }
        OpenPictureFolder(folder);
        if (File->ListCount() > 0) {
            File->SetSelected(0, true);
        }
    } catch (const Failure &failure) {
        ReportError(dialogs_, "cmdBrowse_Click", failure);
    }
}

void frm::OpenPictureFolder(const std::string &folder)
{
    img->ClearPicture();
    mnuFileOpenFolder->SetTag(folder);
    SetPathCaption(*lblFolder, folder);
    File->SetPath(folder);
    WriteTextSetting(*ini_, settings::kPath, folder);
}

void frm::lblFolder_Click()
{
    mnuFileOpenFolder_Click();
}

void frm::cmdRefreshFileList_Click()
{
    try {
        std::optional<std::string> current;
        if (File->ListIndex() >= 0) {
            current = File->FileName();
        }
        File->Refresh();
        bool reselected = false;
        if (current) {
            for (int i = 0; i < File->ListCount(); ++i) {
                if (File->List(i) == *current) {
                    File->SetSelected(i, true);
                    reselected = true;
                }
            }
        }
        if (!reselected && File->ListCount() > 0) {
            File->SetSelected(0, true);
        }
    } catch (const Failure &failure) {
        ReportError(dialogs_, "cmdRefreshFileList_Click", failure);
    }
}

void frm::RefreshKeepingSelection()
{
    std::set<std::string> selected;
    for (int i = 0; i < File->ListCount(); ++i) {
        if (File->Selected(i)) {
            selected.insert(File->List(i));
        }
    }
    const std::string current = File->FileName();
    const QSignalBlocker quiet(File);
    File->Refresh();
    for (int i = 0; i < File->ListCount(); ++i) {
        if (File->List(i) == current) {
            File->setCurrentRow(i);
        }
        File->item(i)->setSelected(selected.count(File->List(i)) != 0);
    }
}

void frm::File_Click()
{
    try {
        const std::string name = File->FileName();
        if (name.empty()) {
            img->ClearPicture();
            CurrentPicture = LoadedImage {}; // a click on the empty box must not pick an old colour
            return;
        }
        // A file that cannot be read at all leaves a size of 0 x 0, not the previous picture's.
        CurrentPicture = LoadedImage {};
        const bool loaded =
            LoadBMPFile(dialogs_, vsbSize->Min(), JoinPath(File->Path(), name), CurrentPicture);
        const std::string size = loaded
            ? std::to_string(CurrentPicture.width) + " x " + std::to_string(CurrentPicture.height)
            : "ERROR x ERROR";
        fraImage->setTitle(QString::fromStdString(name + ": " + size));

        // The smallest permitted size only ever goes down and the size only ever up. Only a
        // picture that loaded counts: a refused one counts as 0 x 0, like one that cannot be
        // read at all, whatever its header claims (a broken 512 x 512 file, a side of 100000).
        const std::int32_t width = loaded ? CurrentPicture.width : 0;
        const std::int32_t height = loaded ? CurrentPicture.height : 0;
        const SquareAdjustment square =
            AdjustSquareForPicture(width, height, vsbSize->Max(), vsbSize->Value());
        if (square.smallestPermitted < vsbSize->Max()) {
            vsbSize->SetMax(square.smallestPermitted);
        }
        if (square.size > vsbSize->Value()) {
            vsbSize->SetValue(square.size);
        }

        if (optShow[1]->isChecked()) {
            RefreshPreview();
            return;
        }
        img->SetStretch(false);
        const QImage original = OriginalPicture(CurrentPicture);
        if (original.isNull()) {
            img->ClearPicture();
        } else {
            img->SetPicture(original);
        }
    } catch (const Failure &failure) {
        ReportError(dialogs_, "File_Click", failure);
        img->ClearPicture();
    }
}

void frm::optShow_MouseDown(int index)
{
    optShow.at(static_cast<std::size_t>(index))->setChecked(true);
    File_Click();
    cmdOK->setFocus();
}

} // namespace qv
