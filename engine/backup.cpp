#include "engine/backup.h"

#include "common/paths.h"
#include "platform/checked.h"
#include "platform/files.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace qv {
namespace {

// "name.ext" for 1, "name (n).ext" after it.
class BackupNames
{
public:
    explicit BackupNames(const std::string &fileName)
        : name_(fileName)
        , stem_(fs::path(fileName).stem().string())
        , extension_(fs::path(fileName).extension().string())
    { }

    std::string Variant(std::int32_t n) const
    {
        return n == 1 ? name_ : stem_ + " (" + std::to_string(n) + ")" + extension_;
    }

    // The number of a numbered variant's name, 0 for any other name.
    std::int32_t NumberOf(const std::string &candidate) const
    {
        const std::string head = stem_ + " (";
        const std::string tail = ")" + extension_;
        if (candidate.size() <= head.size() + tail.size() || !candidate.starts_with(head)
            || !candidate.ends_with(tail)) {
            return 0;
        }
        const std::string digits =
            candidate.substr(head.size(), candidate.size() - head.size() - tail.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos
            || digits.front() == '0') {
            return 0;
        }
        return std::stoi(digits);
    }

    std::string Pattern() const { return stem_ + " (*)" + extension_; }

private:
    std::string name_;
    std::string stem_;
    std::string extension_;
};

bool SameFile(const std::string &a, const std::string &b)
{
    std::error_code ignored;
    return fs::equivalent(a, b, ignored);
}

} // namespace

std::string MakeBackupCopy(const std::string &inputPath, const std::string &backupFolder)
{
    if (!FolderExists(backupFolder)) {
        Fail(kPathNotFound);
    }
    const std::vector<std::uint8_t> bytes = ReadWholeFile(inputPath);
    const BackupNames names(FileNameFromPath(inputPath));

    // Walk the names up to the first free one; a backup with the same bytes means the original
    // is already safe. Reading something that is not a file (a folder) fails, and so does the copy.
    std::int32_t firstFree = 1;
    std::string target;
    for (;; firstFree = CheckedAdd(firstFree, 1)) {
        target = JoinPath(backupFolder, names.Variant(firstFree));
        if (!PathExists(target)) {
            break;
        }
        // Never count the input itself as its own backup (a backup folder that is the picture's).
        if (!SameFile(target, inputPath) && ReadWholeFile(target) == bytes) {
            return target;
        }
    }
    // Variants past a gap (one deleted by hand) may hold the same bytes as well.
    for (const std::string &other : ListFiles(backupFolder, names.Pattern())) {
        const std::string path = JoinPath(backupFolder, other);
        if (names.NumberOf(other) > firstFree && !SameFile(path, inputPath)
            && ReadWholeFile(path) == bytes) {
            return path;
        }
    }
    WriteFileAtomic(target, bytes);
    return target;
}

} // namespace qv
