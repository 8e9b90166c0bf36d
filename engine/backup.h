#pragma once

#include <string>

namespace qv {

// The name of the folder that keeps the originals, inside the picture folder.
inline constexpr const char *kBackupFolderName = "Quorvantile Backup";

// The backup folder of the pictures of pictureFolder: pictureFolder + "/" + kBackupFolderName.
std::string BackupFolderIn(const std::string &pictureFolder);

// Copies the input file into the backup folder under its own name without ever destroying an
// earlier backup: when that name holds different bytes the copy goes to the first free
// "name (2).ext", "name (3).ext", ...; when that name or a numbered variant before the first free
// one already holds the same bytes nothing is copied. A numbered name too long for the file system
// has its stem cut between characters to make room, and a mark of the whole name so that two long
// names that start alike stay apart: "name~1a2b3c4d (2).ext". The bytes are compared and copied a
// bounded piece at a time, so a file of any size is backed up in little memory. The copy is written
// under a temporary name and renamed, so no truncated backup is left, and it keeps the input's
// permission bits and modification time. A symbolic link is backed up as the file it points to,
// under the link's name. Returns the path that holds the backup. Throws qv::Failure (the folder
// missing or not a folder, something other than a file standing at a candidate name, a read or
// write failing); the input is never touched.
std::string MakeBackupCopy(const std::string &inputPath, const std::string &backupFolder);

// The oldest backup of the picture in the backup folder, its true original: the copy under its
// own name, else the lowest numbered one ("name (2).ext", ...); empty when there is none.
std::string OldestBackup(const std::string &picture, const std::string &backupFolder);

// Gives the picture back its oldest backup, atomically and with the backup's permission bits and
// modification time. The file as it is now is first backed up itself (MakeBackupCopy), so a
// restore can be undone as well. Returns false, changing nothing, when there is no backup.
// Throws qv::Failure as the copies do; the picture is then as it was.
bool RestoreOriginal(const std::string &picture, const std::string &backupFolder);

} // namespace qv
