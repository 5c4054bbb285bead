#pragma once
// The disk side of model files and panel files, kept thin: reads of regular files only, and a
// save that replaces a file as a careful editor does, in a folder other users share.
//
// A read keeps the folder the file was really read from, held open. A save works only relative
// to a folder it holds (the one read from, or the one chosen for a new name) and reports what it
// found there that the user must decide (a file changed on disk, a write-protected file, a
// backup name taken, a file gone, another copy saving); the caller asks and saves again with
// the answer. doc/files.md tells the order of the steps and the names a save makes.
//
// This header is the layer's one face; the rest of the folder is its own.
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
    void update(std::string_view bytes);
    bool operator==(const Digest&) const = default;
};
Digest DigestOf(std::string_view bytes);

// Which file a name holds: its disk and its number there. Every check that a name still holds
// the file a save or a read saw compares these.
struct FileId {
    std::uint64_t device = 0, inode = 0;
    bool operator==(const FileId&) const = default;
};

// One symbolic link a name leads through: the link itself, its owner and the text it holds.
struct LinkStep {
    FileId id;
    std::uint32_t owner = 0;
    std::string target;
    bool operator==(const LinkStep&) const = default;
};
using LinkPath = std::vector<LinkStep>;

// A folder held open (a descriptor that only names it), with the name it was reached by.
struct HeldFolder {
    int fd = -1;
    FileId id;
    std::string path;
    HeldFolder() = default;
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;
    ~HeldFolder();
};

// The file as a read or a save saw it: the name it was given by, the folder it really stood in
// (after every link) with its own name there, the links the name led through, the digest of
// the bytes read or written (none where they are not known), and which file it was.
struct FileAsRead {
    std::string name;
    std::shared_ptr<const HeldFolder> folder;
    std::string leaf;
    LinkPath links;
    std::optional<Digest> digest;
    FileId file;
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

// Whether `path`, followed as it stands now, leads to the file read as `file`: its name in the
// same folder, however the path is spelled.
bool NamesFile(const std::string& path, const FileAsRead& file);

// For a file that an open refused because it ends midway, as a write in place that was cut
// leaves it: when a save holds the file's lock right now, that it is being saved and to open it
// again shortly; otherwise the whole copies that stand beside it (the backup `backupLeaf` and
// the numbered copies of its name, but those that `endsEarly` too), each with the time it was
// written, and what to do. Empty when there is neither.
std::string CutFileAdvice(const FileAsRead& file, const std::string& backupLeaf,
                          bool (*endsEarly)(std::string_view bytes, std::string_view fileName));
inline constexpr const char* BeingSavedNotice =
    "このファイルは今、別のVelquorが保存しているところです。しばらく待ってから、もう一度開いて"
    "ください。";
inline constexpr const char* CutFileNotice =
    "保存が途中で止まったため、ファイルが途切れている可能性があります。";

// The name `name` numbered `n` (from 2): "house.BAK" → "house_2.BAK".
std::string NumberedName(const std::string& name, int n);

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
    // the links that stood then, or the user's or the administrator's. None: a name followed as
    // it stands now.
    const FileAsRead* read = nullptr;
    // The bytes that may be replaced without a question; none: any.
    std::optional<Digest> expected;
    // Whether the bytes of the file `fileName` are a beginning of a file of the kind saved, as
    // a save cut off while it wrote the file in place leaves it: such a file is not kept as the
    // backup, which holds the whole earlier version. By default every file is kept.
    bool (*endsEarly)(std::string_view bytes, std::string_view fileName) =
        [](std::string_view, std::string_view) { return false; };
    bool createAgain = false;      // the file read is gone: write it anew
    bool replaceProtected = false; // a write-protected file stands there: replace it
    bool withoutBackup = false;    // no backup can be made under its name: save without
};

// What a save did, or what it found that the user must decide (nothing was written then).
enum class Finding {
    Saved,
    Failed,    // `reason` says why and what the user can do
    Busy,      // another copy of the program is saving the file: `reason` names the lock's owner
    Gone,      // nothing stands where the file was read or saved
    Changed,   // other bytes than `terms.expected`: `found` is their digest
    Protected, // a write-protected file stands there
    NoBackup,  // the backup cannot be made under `backup`: `reason` says why
    Declined,  // never from the file layer: the user, asked, chose not to save
};

struct SaveReport {
    Finding finding = Finding::Failed;
    // Failed and NoBackup: why. Busy: the owner of the lock file. Saved and Changed: what the
    // user must still be told (a copy kept under a visible name, what a failed save could not put
    // back), mostly nothing.
    std::string reason;
    std::string file, backup;    // where the save writes, and its backup
    std::optional<Digest> found; // Changed
    bool backupMade = false;     // Saved: the file that stood there is the backup
    FileAsRead saved;            // Saved: the file as written
    bool ok() const { return finding == Finding::Saved; }
};

// Saves `bytes` under `path`, keeping the file that stood there as the backup
// `backupOf(file name)` (none when that is the file itself) in the same folder. The file is
// written complete under a name of its own first and then takes the file's name; where another
// user's file the user may write would lose its owner so, it is written in place once a whole
// copy of it stands under a name the user can open. No file a save makes grants anyone more
// than the file it comes from. Copies saving one file at once take turns under a lock beside
// it; a save waits for it about a second at most. On any failure the file, its backup and the
// folder are as they were, or the reason names where the whole earlier file is.
SaveReport SaveFile(const std::string& path, std::string_view bytes,
                    std::string (*backupOf)(const std::string& fileName), const SaveTerms& terms);

inline constexpr const char* SaveQuestionCaption = "保存の確認";

} // namespace fileio
