#include "common/mod_common_dialog.h"

namespace qv {
namespace {

constexpr char kNul = '\0';

std::vector<std::string> SplitAt(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end = text.find(separator); end != std::string::npos;
         end = text.find(separator, start)) {
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// Several files of one folder in the form ParseMultiSelection gives: folder NUL name NUL name.
// Built directly rather than through a file buffer, because the root folder on a system with
// "/" paths is the empty text, which a buffer would read as the end of the list.
std::string SeveralFiles(const std::vector<std::string> &files)
{
    const std::size_t cut = files[0].find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string() : files[0].substr(0, cut);
    std::string result = folder;
    for (const std::string &file : files) {
        // A file from another folder (which a real dialog never gives) keeps its full path.
        const bool inFolder = file.size() > folder.size() + 1
            && file.compare(0, folder.size(), folder) == 0
            && file.find_last_of("\\/") == folder.size();
        result += kNul;
        result += inFolder ? file.substr(folder.size() + 1) : file;
    }
    return result;
}

} // namespace

std::string ShowOpenFileDialog(DialogService &dialogs,
    const std::string &filter,
    const std::string &title,
    const std::string &initialFolder,
    const std::string &initialFile,
    int &filterIndex,
    bool multiSelect)
{
    OpenFileRequest request;
    request.filter = filter;
    request.title = title;
    request.initialFolder = initialFolder;
    request.initialFile = initialFile;
    request.filterIndex = filterIndex;
    request.multiSelect = multiSelect;
    const OpenFileAnswer answer = dialogs.OpenFile(request);
    filterIndex = answer.filterIndex;
    if (answer.files.empty()) {
        return {};
    }
    if (!multiSelect) {
        return answer.files[0];
    }
    if (answer.files.size() == 1) {
        return ParseMultiSelection(answer.files[0]);
    }
    return SeveralFiles(answer.files);
}

std::string ParseMultiSelection(const std::string &buffer)
{
    std::vector<std::string> parts = SplitAt(buffer, kNul);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].empty()) {
            parts.resize(i); // the empty part stands for the double NUL that ends the list
            break;
        }
    }
    if (parts.size() == 1) {
        const std::size_t cut = parts[0].find_last_of("\\/");
        if (cut != std::string::npos) {
            parts[0][cut] = kNul;
        }
    }
    std::string result;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            result += kNul;
        }
        result += parts[i];
    }
    return result;
}

std::vector<std::pair<std::string, std::string>> SplitFilter(const std::string &filter)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    if (filter.empty()) {
        return pairs;
    }
    const std::vector<std::string> items = SplitAt(filter, '|');
    for (std::size_t i = 0; i + 1 < items.size(); i += 2) {
        pairs.emplace_back(items[i], items[i + 1]);
    }
    return pairs;
}

} // namespace qv
