#include "common/mod_browse_for_folder.h"

namespace qv {

std::string BrowseForFolder(DialogService &dialogs,
    const std::string &startFolder,
    const std::string &title,
    [[maybe_unused]] bool newStyle)
{
    return dialogs.BrowseForFolder(startFolder, title);
}

} // namespace qv
