#pragma once

#include "platform/dialog_service.h"
#include "platform/win32/windows_api.h"

#include <string>

namespace qv::win32 {

// The system's open-file dialog (IFileOpenDialog): the request's file types, with its filter
// index chosen, opened in the folder of its initial file or else its initial folder. The chosen
// paths come back as the program keeps paths, and the file type the user ended with also on
// Cancel.
OpenFileAnswer ShowOpenFileDialog(HWND owner, const OpenFileRequest &request);

// The same dialog choosing a folder (file-system folders only), opened on startFolder.
// Returns the chosen folder, empty on Cancel.
std::string ShowFolderDialog(HWND owner, const std::string &startFolder, const std::string &title);

} // namespace qv::win32
