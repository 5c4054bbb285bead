#pragma once
// The disk side of model files and panel files, kept thin: reads of regular files only, and a
// save that replaces a file as a careful editor does.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fileio {

// What tells one file from another, and from itself after another program wrote it: the disk
// and the file's number there, its size and the time it was last written.
struct FileIdentity {
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = -1; // -1 until taken
    std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;

    bool known() const { return size >= 0; }
    // The same file, written since or not.
    bool sameFile(const FileIdentity& other) const {
        return known() && other.known() && device == other.device && inode == other.inode;
    }
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file `path` leads to, through its links; false when nothing is there or
// it cannot be looked at.
bool IdentityOf(const std::string& path, FileIdentity& identity);

// At most the first `limit` bytes of the file, or nothing with `error` set when it cannot be
// read. Anything that is not a regular file (a folder, a named pipe, a device) is refused before
// it is opened, so that a read never waits. `identity`, when given, takes the file's as it was
// read.
std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit,
                                         std::string& error, FileIdentity* identity = nullptr);

// The whole file, or nothing with `error` set when it cannot be read or is far larger than any
// model file.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error,
                                         FileIdentity* identity = nullptr);

// The reason for a system error number, said to the user in Japanese.
std::string ReasonText(int err);

bool FileExists(const std::string& path);

// The extension of the last path component, with its dot; empty when it has none.
std::string_view ExtensionOf(std::string_view path);

// ASCII letters compared without regard to case, as the program compares extensions.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Replaces the file at `path` with `bytes`: writes a temporary file in the same folder, checks
// every write, flushes it to disk, keeps the file that stood at `path` (if any) under
// `backupPath` (when not empty, as a hard link or a copy, never read whole) and renames the
// temporary file over `path`. The new file takes the permissions of the one it replaces, its
// extended attributes (among them its access control lists) and, as far as the user may, its
// owner and group. On any failure the file at `path` and the backup that stood before are left
// as they were, no temporary file stays, and `error` says why in the user's words. `path` names
// the file itself, not a link. `written`, when given, takes the identity of the new file.
bool ReplaceFileSafely(const std::string& path, std::string_view bytes,
                       const std::string& backupPath, std::string& error,
                       FileIdentity* written = nullptr);

// SavedWithoutBackup: saved after the user agreed to go without the backup whose name
// something else holds.
enum class SaveStatus { Saved, SavedWithoutBackup, Cancelled, Failed };

// Saves `bytes` as the file `path` names, through ReplaceFileSafely with the backup
// `backupOf(file)` (none when that is the file itself). A symbolic link is followed and its
// file written, so the link stays; what is not a regular file is refused, and so is a link
// another user left in a folder everyone may write (as /tmp), as the system itself refuses
// it. The user is asked before a write-protected file is replaced and before a save without
// a backup when the backup's name cannot be taken (a folder or another user's file holds it,
// or it is too long): Cancelled when the user declines. Nothing but the saved file and its
// backup is ever renamed or removed.
SaveStatus SaveFile(const std::string& path, std::string_view bytes,
                    std::string (*backupOf)(const std::string& file), std::string& error,
                    FileIdentity* written = nullptr);

inline constexpr const char* SaveQuestionCaption = "保存の確認";

// Fault injection for tests: the step that should fail. None in normal use. Link makes the
// backup a copy, as on a disk that takes no hard links; Attributes fails the copy of the
// extended attributes as a full disk does.
enum class Fault { None, Open, Write, ShortWrite, Sync, Close, Backup, Rename, Link, Attributes };
void InjectFault(Fault fault);

} // namespace fileio
