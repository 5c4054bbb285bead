#pragma once
// What the parts of the file layer share, one concern a file: FileIo.cpp (reads, texts),
// FileFolders.cpp (names, links and held folders), FileAttributes.cpp (owner, group,
// permissions, access control lists), SaveLock.cpp (the lock beside a file and the names a save
// makes), FileBackup.cpp (the transaction and the backup) and FileSave.cpp (the save). Every
// system call goes through Sys() (model/SystemCalls.h).
#include "model/FileIo.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fileio {

// ---- Texts -----------------------------------------------------------------------------------

std::string Reason(const char* what, const std::string& why);
std::string SystemReason(const char* what, int err);
// What a name holds that is not a regular file, in the user's words.
const char* KindName(mode_t mode);
std::string NotAFile(mode_t mode);
inline constexpr const char* Swapped = "保存の途中で、ファイルが別のものに置き換えられました";
inline constexpr const char* SaveTargetUnclear = "保存先を確かめられませんでした";
inline constexpr const char* BackupFailed = "バックアップファイルを作成できませんでした";

// ---- Descriptors and bytes ------------------------------------------------------------------

// A descriptor closed when it goes.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd();
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

// The same file: the same disk and number there.
bool SameFile(const struct stat& a, const struct stat& b);
// The same file as it was: also of the same size, written last at the same time.
bool SameState(const struct stat& a, const struct stat& b);

// Opens `name` in `dir` for reading, never through a link and never waiting (a named pipe),
// only while it is the regular file `examined` (when given): `what` heads the error.
Fd OpenExamined(int dir, const std::string& name, int flags, const struct stat* examined,
                const char* what, std::string& error);

// Reads `fd` to its end or to `limit` bytes, handing each chunk to `sink`, which may stop the
// read by returning false.
bool ReadChunks(int fd, std::size_t limit, std::string& error,
                const std::function<bool(std::string_view)>& sink);
// Writes all of `bytes` to `fd`, going on after short writes and interruptions.
bool WriteAll(int fd, std::string_view bytes, std::string& error);
// Flushes `fd` to disk.
bool Sync(int fd, std::string& error);
// Flushes the folder's names to disk: best effort, the data itself is there already.
void SyncFolder(const HeldFolder& folder);

// The digest of the regular file `name` in `dir` as examined, none when it cannot be read
// whole (too large for a model file, or not the user's to read).
std::optional<Digest> DigestOfFile(int dir, const std::string& name, const struct stat& st);
inline constexpr std::size_t Largest = 64u << 20; // far beyond any model file

// The permissions of a new file: what the user's umask leaves of read and write for all.
mode_t NewFileMode();

// ---- Names, links and folders ---------------------------------------------------------------

std::string Join(const std::string& folder, const std::string& name);

// Where a name leads, followed one name at a time: the folder the file stands in (held) and its
// name there, with every link on the way.
struct Resolved {
    std::shared_ptr<HeldFolder> folder;
    std::string leaf;
    LinkPath links;
};

// Follows `path` to the folder of its file. A read follows every link (`forSave` false). A
// save follows a link only when it stood so at the read (`read`) or the user or the
// administrator made it, and with `read` given, only to the folder read from: anything else
// could steer the save anywhere the user may write. `error` heads system errors with `what`.
bool Resolve(const std::string& path, bool forSave, const FileAsRead* read, const char* what,
             Resolved& out, std::string& error);

// ---- Attributes ------------------------------------------------------------------------------

// Gives the new file `fd` what the file `source` (open as `sourceFd`, maybe only by name) had
// beyond its bytes, never more than it granted anyone: the owner and group as far as the user
// may, the extended attributes, the access control list whole or not at all, the permission
// bits without set-ID bits, and where the owner cannot be kept, an entry that gives them the
// access they had. Only a disk that is full or fails, or permissions that cannot be set, fail.
bool TakeAttributes(int fd, int sourceFd, const struct stat& source, std::string& error);
// Gives a new file of its own the permissions `mode`.
bool SetMode(int fd, mode_t mode, std::string& error);

// ---- The lock and the names a save makes ----------------------------------------------------

// The hidden name of `role` ("lock", "new", "copy", "old") beside the file `leaf`: short, so
// that beside a name of all the bytes a name may have there is still room for it, and one for
// each file, so that the next save knows what a save cut off left.
std::string HiddenName(const char* role, const std::string& leaf);

// The whole copy a save cut off while it wrote the file `leaf` in place left named, or empty.
std::string CutWriteMark(const HeldFolder& folder, const std::string& leaf);

// The lock beside a file a save replaces: a kernel lock on a regular file that records who
// holds it (released when the holder dies, so nothing is judged by its age), waited for about
// a second at most. Held, it removes what a save cut off left, and reports a mark that a cut
// in-place write left.
class SaveLock {
public:
    // `backup`: the name the file's backup takes, where a cut write's whole copy may stand.
    SaveLock(const HeldFolder& folder, const std::string& leaf, const std::string& backup,
             mode_t fileMode);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    enum class State { Held, Busy, Failed };
    State state() const { return state_; }
    const std::string& holder() const { return holder_; } // Busy: the user and the computer
    const std::string& error() const { return error_; }   // Failed
    // The whole copy a cut in-place write left named, the file being cut: empty when none.
    const std::string& wholeCopy() const { return wholeCopy_; }

    // Whether the lock at the name is still this one, just before the file is replaced.
    bool stillHeld(std::string& error) const;
    // Marks, on disk, that the file is written in place with the whole copy `copy`; cleared
    // once the file is whole again.
    bool markInPlace(const std::string& copy, std::string& error);
    void clearMark();

private:
    bool writeRecord(std::string& error);
    const HeldFolder& folder_;
    std::string name_, holder_, error_, wholeCopy_;
    State state_ = State::Failed;
    Fd fd_;
    struct stat st_ {};
    bool ownRecord_ = false;
};

// ---- The transaction and the backup ---------------------------------------------------------

// The names one save makes and moves in its folder. Dropped unfinished (or rolled back), it
// puts back what it changed, in reverse order, touching only names that still hold what it put
// there; committed, it removes the names that only served the save. What a rollback cannot put
// back is said in `notes`.
class Transaction {
public:
    explicit Transaction(const HeldFolder& folder) : folder_(folder) {}
    ~Transaction() { rollback(); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // `name` was made, holding the file `st`.
    void made(const std::string& name, const struct stat& st);
    // The file `st` went from `from` to `to`; `note` is said when it cannot go back.
    void moved(const std::string& from, const std::string& to, const struct stat& st,
               const char* note = nullptr);
    // `name` holds the file `st` to remove once the save is done.
    void dropOnCommit(const std::string& name, const struct stat& st);
    void commit();
    void rollback();
    std::string notes;

private:
    struct Step {
        std::string name, from; // from: empty for a name made
        dev_t device;
        ino_t inode;
        const char* note;
    };
    bool holds(const Step& step) const;
    const HeldFolder& folder_;
    std::vector<Step> undo_, drops_;
};

// Makes a new file `name` in the folder through `t`, lets `fill` write it and flushes it. It
// stays private until its bytes are complete; then it takes the attributes of `source` (open
// as `sourceFd`), or the permissions of a new file when there is none.
bool WriteNewFile(Transaction& t, const HeldFolder& folder, const std::string& name, int sourceFd,
                  const struct stat* source,
                  const std::function<bool(int fd, std::string& error)>& fill, struct stat& made,
                  std::string& error);

// Makes the backup of the file `leaf` examined as `st`: a second name of it (or a copy where
// the disk takes no second names, or when `copy` asks for one), complete on disk under a hidden
// name, which then takes the name `backup`; the earlier backup keeps a hidden name until the
// save is done. With `backup` empty the copy keeps its hidden name. `whole` takes the name
// the backup stands under.
bool MakeBackup(Transaction& t, const HeldFolder& folder, const std::string& leaf,
                const struct stat& st, const std::string& backup, bool copy, std::string& whole,
                std::string& error);

} // namespace fileio
