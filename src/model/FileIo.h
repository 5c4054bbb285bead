#pragma once
// The disk side of model files and panel files, kept thin: reads of regular files only, and a
// save that replaces a file as a careful editor does.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fileio {

// What the disk says of a file: the disk and the file's number there, its size and the time it
// was last written. It tells a file apart from another put in its place meanwhile, but not one
// content from another: a disk mounted again numbers its files anew, and on FAT a change within
// the same second and of the same size keeps all of it.
struct FileIdentity {
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = -1; // -1 until taken
    std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;

    bool known() const { return size >= 0; }
    bool operator==(const FileIdentity&) const = default;
};

// The bytes of a file reduced to their count and a 64-bit FNV-1a digest: what tells one content
// from another, whatever the disk says of the file.
struct Digest {
    std::uint64_t size = 0, hash = 0xcbf29ce484222325u;
    void add(std::string_view bytes);
    bool operator==(const Digest&) const = default;
};
Digest DigestOf(std::string_view bytes);

// One symbolic link a name leads through: the link itself (its disk, its number there and its
// owner) and the text it holds.
struct LinkStep {
    std::uint64_t device = 0, inode = 0;
    std::uint32_t owner = 0;
    std::string target;
    bool operator==(const LinkStep&) const = default;
};
using LinkPath = std::vector<LinkStep>;

// A file as a read or a save saw it under its name: the links the name led through and the
// digest of the bytes read or written. Either is unknown (none) where nothing tells it.
struct FileState {
    std::optional<LinkPath> links;
    std::optional<Digest> digest;
};

// At most the first `limit` bytes of the file, or nothing with `error` set when it cannot be
// read. Anything that is not a regular file (a folder, a named pipe, a device) is refused before
// it is opened, so that a read never waits. `state`, when given, takes the file's as it was
// read.
std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit,
                                         std::string& error, FileState* state = nullptr);

// The whole file, or nothing with `error` set when it cannot be read or is far larger than any
// model file.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error,
                                         FileState* state = nullptr);

// The reason for a system error number, said to the user in Japanese.
std::string ReasonText(int err);

bool FileExists(const std::string& path);

// The extension of the last path component, with its dot; empty when it has none.
std::string_view ExtensionOf(std::string_view path);

// ASCII letters compared without regard to case, as the program compares extensions.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Changed: nothing was written, since the file is not what the save expected to replace.
// SavedWithoutBackup: saved after the user agreed to go without the backup whose name
// something else holds.
enum class SaveStatus { Saved, SavedWithoutBackup, Cancelled, Failed, Changed };

// Replaces the regular file at `path` (or the file `path` is to name) with `bytes`: writes a
// temporary file in the same folder, checks every write, flushes it to disk, keeps the file that
// stood at `path` (if any) under `backupPath` (when not empty, as a hard link or a copy, never
// read whole) and renames the temporary file over `path`. Every new file stays private until its
// bytes are complete; then it takes the permissions of the one it replaces, its extended
// attributes (among them its access control lists) and, as far as the user may, its owner and
// group. Where the owner cannot be kept (another user's file the user may write), the file is
// written in place once a copy of it is complete on disk, so that it stays the owner's; that
// copy, the backup, gives the owner the access they had. Just before the file is replaced it is
// looked at again: Changed when it is no longer the file it was at the start, or the one the
// caller `examined` (unknown: nothing stood there). On any failure the file at `path` and the
// backup that stood before are left as they were, no temporary file stays, and `error` says why
// in the user's words. `path` naming a symbolic link is refused. Saved, Failed or Changed.
SaveStatus ReplaceFileSafely(const std::string& path, std::string_view bytes,
                             const std::string& backupPath, std::string& error,
                             const FileIdentity* examined = nullptr);

// Saves `bytes` as the file `path` names, through ReplaceFileSafely with the backup
// `backupOf(file)` (none when that is the file itself), under a lock beside the file that
// copies of the program saving it at once take in turn. `before` is what the save knows of the
// name from its read or last save (nothing: it was not read or saved here). A symbolic link is
// followed and its file written, so the link stays, when it stood as it was then or, with
// nothing known of then, when the user or the administrator made it. Another user's link, or
// one that came or changed since, is refused, with where it leads: it could steer the save
// anywhere the user may write. With the digest of then known, a file of other bytes standing
// there (written since by another program or another copy of this one) is not replaced:
// Changed, with `saved` taking the digest of what stands there, which the caller may agree to
// replace by saving again with it; that is checked first, and once more under the lock. What
// is not a regular file is refused, and so is another user's file in a folder where only
// owners may replace files (as /tmp). The user is asked before a write-protected file is
// replaced and before a save without a backup when the backup's name cannot be taken (a folder
// or another user's file holds it, or it is too long): Cancelled when the user declines.
// Nothing but the saved file and its backup is ever renamed or removed. `saved`, when given,
// takes the links of this save and the digest of the bytes written.
SaveStatus SaveFile(const std::string& path, std::string_view bytes,
                    std::string (*backupOf)(const std::string& file), std::string& error,
                    const FileState* before = nullptr, FileState* saved = nullptr);

inline constexpr const char* SaveQuestionCaption = "保存の確認";

// Fault injection for tests: the step that should fail. None in normal use. Link makes the
// backup a copy, as on a disk that takes no hard links; Attributes fails the copy of the
// extended attributes as a full disk does; Mode fails the setting of the permissions; Restore
// fails the final rename and the return of the earlier backup after it.
enum class Fault {
    None,
    Open,
    Write,
    ShortWrite,
    Sync,
    Close,
    Backup,
    Rename,
    Link,
    Attributes,
    Mode,
    Restore
};
void InjectFault(Fault fault);

// For tests, the moments of a save where another user may act: before the backup is made, and
// before the file is replaced. `hook` (empty in normal use) is called at each.
enum class Step { Backup, Replace };
void SetStepHook(std::function<void(Step)> hook);

} // namespace fileio
