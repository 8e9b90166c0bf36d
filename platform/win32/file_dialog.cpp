#include "platform/win32/file_dialog.h"

#include "platform/files.h"
#include "platform/utf8_path.h"
#include "platform/win32/file_filters.h"
#include "platform/win32/wide_text.h"

#include <vector>

namespace qv::win32 {
namespace {

// Holds one reference to a COM object and releases it.
template <typename T> class ComRef
{
public:
    ComRef() = default;
    ComRef(const ComRef &) = delete;
    ComRef &operator=(const ComRef &) = delete;
    ~ComRef()
    {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    T *operator->() const { return object_; }
    T *Get() const { return object_; }
    T **Put() { return &object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T *object_ = nullptr;
};

// The shell's item for a folder or file that exists; none otherwise.
void ItemFor(const std::string &path, ComRef<IShellItem> &item)
{
    if (path.empty() || !PathExists(path)) {
        return;
    }
    SHCreateItemFromParsingName(Wide(NativePath(path)).c_str(),
        nullptr,
        IID_IShellItem,
        reinterpret_cast<void **>(item.Put()));
}

std::string FileSystemPath(IShellItem *item)
{
    PWSTR path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || path == nullptr) {
        return {};
    }
    std::string result = ProgramPath(path);
    CoTaskMemFree(path);
    return result;
}

bool MakeDialog(ComRef<IFileOpenDialog> &dialog)
{
    return SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog,
        nullptr,
        CLSCTX_INPROC_SERVER,
        IID_IFileOpenDialog,
        reinterpret_cast<void **>(dialog.Put())));
}

void OpenIn(IFileOpenDialog *dialog, const std::string &folder)
{
    ComRef<IShellItem> item;
    ItemFor(folder, item);
    if (item) {
        dialog->SetFolder(item.Get());
    }
}

} // namespace

OpenFileAnswer ShowOpenFileDialog(HWND owner, const OpenFileRequest &request)
{
    OpenFileAnswer answer;
    answer.filterIndex = request.filterIndex;
    ComRef<IFileOpenDialog> dialog;
    if (!MakeDialog(dialog)) {
        return answer; // a dialog that cannot open is a dialog cancelled
    }
    const auto types = FileTypes(request.filter);
    std::vector<COMDLG_FILTERSPEC> fileTypes;
    for (const auto &[name, patterns] : types) {
        fileTypes.push_back({name.c_str(), patterns.c_str()});
    }
    if (!fileTypes.empty()) {
        dialog->SetFileTypes(static_cast<UINT>(fileTypes.size()), fileTypes.data());
        dialog->SetFileTypeIndex(static_cast<UINT>(request.filterIndex) + 1);
    }
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    options |= FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR;
    if (request.multiSelect) {
        options |= FOS_ALLOWMULTISELECT;
    }
    dialog->SetOptions(options);
    dialog->SetTitle(Wide(request.title).c_str());
    // As the classic dialog did: a full initial file name opens its own folder.
    const std::filesystem::path initialFile = Utf8Path(request.initialFile);
    const std::string fileFolder = Utf8Text(initialFile.parent_path());
    OpenIn(dialog.Get(), FolderExists(fileFolder) ? fileFolder : request.initialFolder);
    if (!request.initialFile.empty()) {
        dialog->SetFileName(initialFile.filename().wstring().c_str());
    }

    const bool chosen = SUCCEEDED(dialog->Show(owner));
    UINT typeIndex = 0;
    if (SUCCEEDED(dialog->GetFileTypeIndex(&typeIndex)) && typeIndex > 0) {
        answer.filterIndex = static_cast<int>(typeIndex) - 1;
    }
    if (!chosen) {
        return answer;
    }
    ComRef<IShellItemArray> items;
    DWORD count = 0;
    if (FAILED(dialog->GetResults(items.Put())) || FAILED(items->GetCount(&count))) {
        return answer;
    }
    for (DWORD i = 0; i < count; ++i) {
        ComRef<IShellItem> item;
        if (SUCCEEDED(items->GetItemAt(i, item.Put()))) {
            const std::string path = FileSystemPath(item.Get());
            if (!path.empty()) {
                answer.files.push_back(path);
            }
        }
    }
    return answer;
}

std::string ShowFolderDialog(HWND owner, const std::string &startFolder, const std::string &title)
{
    ComRef<IFileOpenDialog> dialog;
    if (!MakeDialog(dialog)) {
        return {};
    }
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(
        options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);
    if (!title.empty()) {
        dialog->SetTitle(Wide(title).c_str());
    }
    OpenIn(dialog.Get(), startFolder);
    ComRef<IShellItem> item;
    if (FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(item.Put()))) {
        return {};
    }
    return FileSystemPath(item.Get());
}

} // namespace qv::win32
