#include "engine/backup.h"

#include "common/paths.h"
#include "platform/checked.h"
#include "platform/files.h"
#include "platform/name_length.h"
#include "platform/readable_file.h"
#include "platform/same_bytes.h"
#include "platform/utf8_path.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace qv {
namespace {

// Eight hex digits that tell long names apart which start alike (FNV-1a of the bytes).
std::string NameMark(const std::string &name)
{
    std::uint32_t hash = 2166136261U;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
    }
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(hash));
    return digits;
}

// "name.ext" for 1, "name (n).ext" after it. Where that is longer than a file system allows, the
// stem is cut between characters to make room and marked with NameMark of the whole name, so the
// numbered copies of two long names never share a name: "name~1a2b3c4d (n).ext".
class BackupNames
{
public:
    explicit BackupNames(const std::string &fileName)
        : name_(fileName)
        , stem_(Utf8Text(Utf8Path(fileName).stem()))
        , extension_(Utf8Text(Utf8Path(fileName).extension()))
    { }

    std::string Variant(std::int32_t n) const
    {
        if (n == 1) {
            return name_;
        }
        const std::string number = " (" + std::to_string(n) + ")";
        const std::string variant = stem_ + number + extension_;
        if (variant.size() <= kLongestName) {
            return variant;
        }
        const std::string tail = "~" + NameMark(name_) + number;
        const std::size_t room = kLongestName - tail.size();
        const std::string extension = NameStart(extension_, room);
        return NameStart(stem_, room - extension.size()) + tail + extension;
    }

private:
    std::string name_;
    std::string stem_;
    std::string extension_;
};

bool SameFile(const std::string &a, const std::string &b)
{
    std::error_code ignored;
    return fs::equivalent(Utf8Path(a), Utf8Path(b), ignored);
}

} // namespace

std::string BackupFolderIn(const std::string &pictureFolder)
{
    return JoinPath(pictureFolder, kBackupFolderName);
}

std::string MakeBackupCopy(const std::string &inputPath, const std::string &backupFolder)
{
    if (!FolderExists(backupFolder)) {
        Fail(kPathNotFound);
    }
    ReadableFile input(inputPath);
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
        if (!SameFile(target, inputPath) && SameBytes(input, target)) {
            return target;
        }
    }
    CopyFileAtomic(input, target);
    return target;
}

std::string OldestBackup(const std::string &picture, const std::string &backupFolder)
{
    const BackupNames names(FileNameFromPath(picture));
    const std::string first = JoinPath(backupFolder, names.Variant(1));
    if (FileExists(first)) {
        return first;
    }
    // Copies are numbered without gaps, but the first may have been taken away by hand.
    for (std::int32_t n = 2;; n = CheckedAdd(n, 1)) {
        const std::string candidate = JoinPath(backupFolder, names.Variant(n));
        if (FileExists(candidate)) {
            return candidate;
        }
        if (!PathExists(candidate)) {
            return {};
        }
    }
}

bool RestoreOriginal(const std::string &picture, const std::string &backupFolder)
{
    const std::string original = OldestBackup(picture, backupFolder);
    if (original.empty()) {
        return false;
    }
    if (FileExists(picture)) {
        MakeBackupCopy(picture, backupFolder);
    }
    CopyFileAtomic(original, picture);
    return true;
}

} // namespace qv
