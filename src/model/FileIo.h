#pragma once
// The disk side of model files and panel files, kept thin: reads of regular files only, and a
// save that replaces a file as a careful editor does, in a folder other users share.
//
// A read keeps the folder the file was really read from, held open. A save works only relative
// to a folder it holds (the one read from, or the one chosen for a new name) and reports what it
// found there that the user must decide (a file changed on disk, a write-protected file, a
// backup name taken, a file gone, another copy saving); the caller asks and saves again with
// the answer. doc/files.md tells the order of the checks and the names a save makes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fileio {

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

// A folder held open (a descriptor that only names it), with its disk and number there and the
// name it was reached by.
struct HeldFolder {
    int fd = -1;
    std::uint64_t device = 0, inode = 0;
    std::string path;
    HeldFolder() = default;
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;
    ~HeldFolder();
};

// The file as a read or a save saw it: the name it was given by, the folder it really stood in
// (after every link) with its own name there, the links the name led through, and the digest of
// the bytes read or written (none where they are not known).
struct FileAsRead {
    std::string name;
    std::shared_ptr<const HeldFolder> folder;
    std::string leaf;
    LinkPath links;
    std::optional<Digest> digest;
    // Found at the read: another user's save that wrote this file in place was cut off, so the
    // file may be cut too; the whole earlier file stands under this name (empty: none was).
    std::string cutWholeCopy;
    // Where the file stands: the folder's name and the file's own.
    std::string path() const;
};

// At most the first `limit` bytes of the file, or nothing with `error` set when it cannot be
// read. Anything that is not a regular file (a folder, a named pipe, a device) is refused before
// it is opened, so that a read never waits. `asRead`, when given, takes the file as it was read.
std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit,
                                         std::string& error, FileAsRead* asRead = nullptr);

// The whole file, or nothing with `error` set when it cannot be read or is far larger than any
// model file.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error,
                                         FileAsRead* asRead = nullptr);

// Whether `path` names the file read as `file`: the same name, or a name that leads to the same
// file in the same folder.
bool NamesFile(const std::string& path, const FileAsRead& file);

// The reason for a system error number, said to the user in Japanese.
std::string ReasonText(int err);

bool FileExists(const std::string& path);

// The extension of the last path component, with its dot; empty when it has none.
std::string_view ExtensionOf(std::string_view path);

// ASCII letters compared without regard to case, as the program compares extensions.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// ---- Saving ----------------------------------------------------------------------------------

// What a save may do without asking: from the read or last save of the same name, and what the
// user answered so far. A save looks again each time, so an answer holds only for what was
// asked about.
struct SaveTerms {
    // The name as it was last read or saved here: the save works in that folder and follows only
    // the links that stood then, or the user's or the administrator's. None: a new name.
    const FileAsRead* read = nullptr;
    // The bytes that may be replaced without a question; none: any.
    std::optional<Digest> expected;
    bool createAgain = false;      // the file read is gone: write it anew
    bool replaceProtected = false; // a write-protected file stands there: replace it
    bool withoutBackup = false;    // no backup can be made under its name: save without
};

// What a save did, or what it found that the user must decide (nothing was written then).
enum class Finding {
    Saved,
    Failed,    // `reason` says why
    Busy,      // another copy of the program is saving the file: `holder` says who
    Gone,      // nothing stands where the file was read or saved
    Changed,   // other bytes than `terms.expected`: `found` is their digest
    Protected, // a write-protected file stands there
    NoBackup,  // the backup cannot be made under `backup`: `reason` says why
};

struct SaveReport {
    Finding finding = Finding::Failed;
    std::string reason;
    std::string holder;          // Busy: the user and the computer
    std::string file, backup;    // where the save writes, and its backup
    std::optional<Digest> found; // Changed
    bool withoutBackup = false;  // Saved without a backup
    FileAsRead saved;            // Saved: the file as written
};

// Saves `bytes` under `path`, keeping the file that stood there as the backup
// `backupOf(file name)` (none when that is the file itself) in the same folder. The file is
// written complete under a name of its own first and then takes the file's name; where another
// user's file the user may write would lose its owner so, it is written in place once a copy of
// it is complete as its backup. No file a save makes grants anyone more than the file it comes
// from. Copies saving one file at once take turns under a lock beside it; a save waits for it
// about a second at most. On any failure the file, its backup and the folder are as they were.
SaveReport SaveFile(const std::string& path, std::string_view bytes,
                    std::string (*backupOf)(const std::string& fileName), const SaveTerms& terms);

inline constexpr const char* SaveQuestionCaption = "保存の確認";

} // namespace fileio
