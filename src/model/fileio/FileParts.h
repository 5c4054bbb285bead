#pragma once
// What the parts of the file layer share, one concern a file: FileIo.cpp (reads, bytes, texts),
// FileFolders.cpp (names, links and held folders), FileAttributes.cpp (owner, group,
// permissions, access control lists), SaveLock.cpp (the lock beside a file),
// FileBackup.cpp (the transaction and the copies it keeps) and FileSave.cpp (the save). Every
// system call goes through Sys() (SystemCalls.h).
#include "model/fileio/FileIo.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fileio {

// ---- Texts -----------------------------------------------------------------------------------

// "what（why）".
std::string Reason(const char* what, const std::string& why);
// Sets `error` to `why`: false, for the step that failed.
bool Fail(std::string& error, std::string why);
// A save refused: "what（why）。" and, on a line of its own, what the user can do.
std::string Refusal(const std::string& what, const std::string& why, const char* todo);
// Whether `value` is one of `values`.
template <typename T>
bool OneOf(T value, std::initializer_list<T> values) {
    return std::find(values.begin(), values.end(), value) != values.end();
}
std::string SystemReason(const char* what, int err);
// The reason for a system error number, in the user's words.
std::string ReasonText(int err);
// A save refused for a system error: what failed and why, then what the user can do about it.
std::string SystemRefusal(const std::string& what, int err);
// What a name holds that is not a regular file, in the user's words.
const char* KindName(mode_t mode);
std::string NotAFile(mode_t mode);
// The user `uid` by name, as the system knows it.
std::string UserName(uid_t uid);
inline constexpr const char* SaveElsewhere = "別の名前で、または別のフォルダーに保存してください。";
inline constexpr const char* RetryOrSaveElsewhere =
    "もう一度保存するか、別の名前で、または別のフォルダーに保存してください。";
inline constexpr const char* SaveAgain = "もう一度保存してください。";
inline constexpr const char* Swapped = "保存の途中で、ファイルが別のものに置き換えられました";
inline constexpr const char* SaveTargetUnclear = "保存先を確かめられませんでした";
inline constexpr const char* BackupFailed = "バックアップファイルを作成できませんでした";

// ---- Descriptors, files and bytes -----------------------------------------------------------

// A descriptor closed when it goes.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    // The descriptor held before goes with `other`.
    Fd& operator=(Fd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd();
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

FileId IdOf(const struct stat& st);
// The same file as it was: also of the same size, written last at the same time.
bool SameState(const struct stat& a, const struct stat& b);
// Whether `name` in `dir` holds the file `id` now, looked at without following a link; `now`,
// when given, takes what stands there.
bool Holds(int dir, const std::string& name, const FileId& id, struct stat* now = nullptr);

// Opens `name` in `dir`, never through a link and never waiting (a named pipe), only while it
// is the file `examined` (a regular file the caller looked at): `what` heads the error.
Fd OpenExamined(int dir, const std::string& name, int flags, const struct stat& examined,
                const char* what, std::string& error);

// Reads `fd`, a regular file, to its end or to `limit` bytes, handing each chunk to `sink`,
// which may stop the read by returning false.
bool ReadChunks(int fd, std::size_t limit, std::string& error,
                const std::function<bool(std::string_view)>& sink);
// A sink that appends each chunk to `bytes`.
std::function<bool(std::string_view)> AppendTo(std::string& bytes);
// Writes all of `bytes` to `fd`, a regular file, going on after short writes.
bool WriteAll(int fd, std::string_view bytes, std::string& error);
// Copies the rest of `from` to `to`.
bool CopyBytes(int from, int to, std::string& error);
// Empties the file `fd` and writes `bytes` to it, flushed: a cut leaves a beginning of them.
bool WriteOver(int fd, std::string_view bytes, std::string& error);
// Flushes `fd` to disk.
bool Sync(int fd, std::string& error);
// Flushes the folder's names to disk: best effort, the data itself is there already.
void SyncFolder(const HeldFolder& folder);

// The bytes of the regular file `name` in `dir` as examined, and their digest; none when they
// cannot be read whole (too large for a model file, or not the user's to read).
std::optional<std::string> BytesOf(int dir, const std::string& name, const struct stat& st);
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

// The hidden name of `role` ("lock", "new", "copy", "old") beside the file `leaf`: short, so
// that beside a name of all the bytes a name may have there is still room for it, and one for
// each file, so that the next save knows what a save cut off left.
std::string HiddenName(const char* role, const std::string& leaf);

// The first of `name` numbered 2, 3 and so on under which nothing stands in `dir`; empty when
// none is free.
std::string FreeName(int dir, const std::string& name);

// ---- Attributes ------------------------------------------------------------------------------

// Gives the new file `fd` what the file `source` (open as `sourceFd`, maybe only by name) had
// beyond its bytes, never more than it granted anyone: the owner and group as far as the user
// may, the extended attributes, the access control list whole or not at all, the permission
// bits without set-ID bits, and where the owner cannot be kept, an entry that gives them the
// access they had. Only a disk that is full or fails, or permissions that cannot be set, fail.
bool TakeAttributes(int fd, int sourceFd, const struct stat& source, std::string& error);
// Gives a new file of its own the permissions `mode`.
bool SetMode(int fd, mode_t mode, std::string& error);

// ---- The lock --------------------------------------------------------------------------------

// The lock beside a file a save replaces: a kernel lock on a regular file of one name, released
// when its holder dies, so that nothing is judged by its age. The lock file carries nothing: no
// byte of it is written or believed, and one the save did not make is used only as a regular
// file of a single name. Waited for about a second at most; removed when the save is done,
// while still held.
class SaveLock {
public:
    SaveLock(const HeldFolder& folder, const std::string& leaf);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    enum class State { Held, Busy, Failed };
    State state() const { return state_; }
    // Failed: why; Busy: the lock file's owner.
    const std::string& error() const { return error_; }

    // Whether the lock at the name is still this one, just before the file is replaced.
    bool stillHeld(std::string& error) const;

private:
    State attempt();
    State refuse(int err);
    const HeldFolder& folder_;
    std::string name_, error_;
    State state_ = State::Failed;
    Fd fd_;
    FileId id_;
    bool made_ = false;
};

// Whether a save holds the lock of the file `leaf` right now: looked at without taking it.
bool LockHeldNow(const HeldFolder& folder, const std::string& leaf);

// ---- The transaction -------------------------------------------------------------------------

// How the file a save replaces is kept whole before the save touches it: a second name of it
// where the disk takes one, or a copy; or a copy that goes once the file is whole again.
enum class Keep { Linked, Copied, CopiedUntilDone };

// What one save makes and changes in its folder. Dropped unfinished (or rolled back), it undoes
// it in reverse order: the hidden names it made go, and the names it moved go back while they
// still hold what it put there; committed, it removes what only served the save. What a
// rollback cannot put back is said in `notes`, and whatever holds a version it names stays.
class Transaction {
public:
    explicit Transaction(const HeldFolder& folder) : folder_(folder) {}
    ~Transaction() { rollback(); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Writes the new file `name`, private until its bytes (from `fill`) are complete, then with
    // the attributes of `source` (open as `sourceFd`; none: those of a new file), and flushed;
    // it is this save's from the moment it exists. `made` takes which file it is.
    bool writeNew(const std::string& name, int sourceFd, const struct stat* source,
                  const std::function<bool(int fd, std::string& error)>& fill, FileId& made,
                  std::string& error);
    // Keeps the file `leaf`, examined as `st`, whole under the name `keep`, complete on disk
    // under a hidden name first; `made` takes which file that is. An earlier file of the name
    // `keep` stays under a hidden name until the save is done, to be put back on failure.
    bool keepWhole(const std::string& leaf, const struct stat& st, const std::string& keep,
                   Keep how, FileId& made, std::string& error);
    // The file open as `fd` is written anew in place: a rollback puts back the whole bytes of
    // the file `copyId` under `copy`.
    int rewrite(Fd fd, const std::string& copy, const FileId& copyId);
    void commit();
    void rollback();
    std::string notes;

private:
    struct Step {
        enum Kind { Made, Moved, Rewritten } kind;
        std::string name, from; // Moved: back from `name` to `from`; Rewritten: the copy
        FileId id;
        Fd fd;                      // Rewritten: the file
        const char* note = nullptr; // Moved: said when it cannot go back
        bool dropped = false;       // Moved: `name` goes once the save is done
    };
    bool undo(const Step& step);
    const HeldFolder& folder_;
    std::vector<Step> steps_;
};

// What a save of the file `leaf` that was cut off left beside it, taken over by the next holder
// of the lock: the hidden names that hold nothing the user may need go; an earlier backup set
// aside goes where a later one stands under `backup`, and where none does, it may be the only
// one: it is kept under a numbered name beside `backup`, which `notes` names. False, with
// `error` naming it, when a hidden name stays taken by something the save cannot remove.
bool TakeOverLeftovers(const HeldFolder& folder, const std::string& leaf, const std::string& backup,
                       std::string& notes, std::string& error);

} // namespace fileio
