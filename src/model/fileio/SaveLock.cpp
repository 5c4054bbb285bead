// The lock beside a file that copies of the program saving it take in turn. It carries nothing:
// in a shared folder every member who may write the lock file may write anything into it, so
// only what the kernel says of it counts (whether someone holds it, who owns it).
#include "model/fileio/FileParts.h"
#include "model/fileio/SystemCalls.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace fileio {

namespace {

constexpr int LockOpen = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

const std::string LockName = "保存の順番を決めるロックファイルの名前に、";
const char* const AskOwnerToRemove =
    "持ち主にそれを削除してもらうか、別の名前で、または別のフォルダーに保存してください。";
const char* const FolderNotWritable = "保存先のフォルダーに、ファイルを作る権限がありません";
const char* const NeedsWritableFolder =
    "保存には、ロックファイルとバックアップを作れるフォルダーが必要です。別のフォルダーに保存して"
    "ください。";
const char* const LockGone =
    "ファイルを置き換えられませんでした（保存の途中で、ロックファイルが消されたか、置き換えられ"
    "ました）。\nもう一度保存してください。";

} // namespace

// Empty and readable by everyone the folder lets in, whatever their group (as far as the
// user's umask allows): every copy that saves the file must be able to open it, and a kernel lock
// on a local disk needs no more.
SaveLock::SaveLock(const HeldFolder& folder, const std::string& leaf)
    : folder_(folder), name_(HiddenName("lock", leaf)) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while ((state_ = attempt()) == State::Busy && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

// One try: the lock file opened read and write where the user may (a disk shared over the
// network locks only so), else read only, never through a link, never waiting on a pipe; and
// anything but a regular file of no other name refused, as it would let racing saves go on
// unlocked or is someone's other file under a second name. A disk that takes no locks is saved
// to without one. A lock file removed or replaced while this save looked at it is no lock: Busy,
// so that the next try takes the one there now.
SaveLock::State SaveLock::attempt() {
    error_ = "";
    fd_ = Fd(Sys().openat(folder_.fd, name_.c_str(), O_RDWR | O_CREAT | O_EXCL | LockOpen, 0644));
    made_ = bool(fd_);
    const bool stood = !made_ && errno == EEXIST;
    if (stood) fd_ = Fd(Sys().openat(folder_.fd, name_.c_str(), O_RDWR | LockOpen, 0));
    if (stood && !fd_) fd_ = Fd(Sys().openat(folder_.fd, name_.c_str(), O_RDONLY | LockOpen, 0));
    struct stat st;
    if (!fd_ || Sys().fstat(fd_.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink > 1)
        return refuse(errno);
    id_ = IdOf(st);
    if ((Sys().flock(fd_.get(), LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) &&
        Holds(folder_.fd, name_, id_))
        return State::Held;
    error_ = "（ロックファイルの持ち主 " + UserName(st.st_uid) + "）。";
    made_ = false;
    fd_ = Fd();
    return State::Busy;
}

// Refused for what stands at the lock's name, naming it and its owner, or, where nothing stands
// there, for why the lock file could not be made (`err`). A lock file that went while this save
// opened it is no refusal: Busy, to take the one there next.
SaveLock::State SaveLock::refuse(int err) {
    if (err == ENOENT) return State::Busy;
    struct stat st {};
    const bool stood = Sys().fstatat(folder_.fd, name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    const std::string what = !S_ISREG(st.st_mode) ? KindName(st.st_mode)
                             : st.st_nlink > 1 ? "別の名前でも使われているファイル"
                                               : "開く権限のないファイル";
    error_ = stood ? Refusal(LockName + what + "があります",
                             Join(folder_.path, name_) + "、持ち主 " + UserName(st.st_uid),
                             AskOwnerToRemove)
             : OneOf(err, {EACCES, EPERM})
                 ? Refusal(FolderNotWritable, folder_.path, NeedsWritableFolder)
                 : SystemRefusal("ロックファイルを作成できませんでした", err);
    return State::Failed;
}

// Removed while still held, so that whoever waits on it finds it gone and makes a new one; one
// this save made and could not use goes too.
SaveLock::~SaveLock() {
    if (state_ == State::Held ? Holds(folder_.fd, name_, id_) : made_)
        Sys().unlinkat(folder_.fd, name_.c_str(), 0);
}

bool SaveLock::stillHeld(std::string& error) const {
    return Holds(folder_.fd, name_, id_) || Fail(error, LockGone);
}

bool LockHeldNow(const HeldFolder& folder, const std::string& leaf) {
    const Fd fd(Sys().openat(folder.fd, HiddenName("lock", leaf).c_str(), O_RDONLY | LockOpen, 0));
    struct stat st;
    return fd && Sys().fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
           Sys().flock(fd.get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

} // namespace fileio
