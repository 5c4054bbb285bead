#include "model/FileIo.h"

#include "model/Messages.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fileio {

namespace {

Fault injected = Fault::None;
std::function<void(Step)> stepHook;

bool Injected(Fault f) {
    return injected == f;
}

void Reached(Step step) {
    if (stepHook) stepHook(step);
}

// The user's umask, read once as the program starts, before any thread runs: it can only be
// read by setting it.
const mode_t StartUmask = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}();

std::string Reason(const char* what, const std::string& why) {
    return std::string(what) + "（" + why + "）";
}

std::string SystemReason(const char* what, int err) {
    return Reason(what, ReasonText(err));
}

const char* const BackupFailed = "バックアップファイルを作成できませんでした";
const char* const SaveTargetUnclear = "保存先を確かめられませんでした";
const char* const Swapped = "保存の途中で、ファイルが別のものに置き換えられました";
constexpr std::size_t Largest = 64u << 20; // far beyond any model file

// What a name holds that is not a regular file, in the user's words.
const char* KindName(mode_t mode) {
    if (S_ISDIR(mode)) return "フォルダー";
    if (S_ISFIFO(mode)) return "名前付きパイプ";
    if (S_ISLNK(mode)) return "シンボリックリンク";
    if (S_ISSOCK(mode)) return "ソケット";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "デバイス";
    return "特殊なファイル";
}

std::string NotAFile(mode_t mode) {
    return std::string("ファイルではなく") + KindName(mode) + "です";
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

FileIdentity IdentityFrom(const struct stat& st) {
    FileIdentity id;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modifiedSeconds = st.st_mtim.tv_sec;
    id.modifiedNanoseconds = st.st_mtim.tv_nsec;
    return id;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

const char* const ChangedMeanwhile =
    "ファイルを置き換えられませんでした（保存の途中で、別のプログラムがファイルを変更しました）";

// Whether `path` still names the file examined as `old` as it then was: the same file, of the
// same size, written last at the same time; or, with `old` unknown, still nothing.
bool Unchanged(const std::string& path, const FileIdentity& old) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return !old.known() && errno == ENOENT;
    return IdentityFrom(st) == old;
}

// Opens an existing regular file for reading. Anything else is refused by what its name holds,
// before it is opened, and once more by what was opened, since another kind may have taken the
// name meanwhile; the open itself never waits, so that not even then does a named pipe hold the
// window. `opened`, when given, takes what was opened.
int OpenRegular(const std::string& path, const char* what, std::string& error,
                struct stat* opened = nullptr) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        error = SystemReason(what, errno);
        return -1;
    }
    int fd = -1;
    if (S_ISREG(st.st_mode)) {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            error = SystemReason(what, errno);
            return -1;
        }
        if (::fstat(fd, &st) != 0) st.st_mode = 0;
    }
    if (!S_ISREG(st.st_mode)) {
        if (fd >= 0) ::close(fd);
        error = Reason(what, NotAFile(st.st_mode));
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (opened) *opened = st;
    return fd;
}

// Opens the regular file `path` that a save examined as `examined`, never through a link, and
// only while it is still that file: another user may have put a link or another file in its
// place meanwhile. On failure errno is that of the open.
int OpenExamined(const std::string& path, const struct stat& examined, int flags, const char* what,
                 std::string& error) {
    const int fd = ::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        error = err == ELOOP ? Reason(what, Swapped) : SystemReason(what, err);
        errno = err;
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !SameFile(st, examined)) {
        ::close(fd);
        error = Reason(what, Swapped);
        errno = ESTALE;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Reads `fd` to its end or to `limit` bytes, handing each chunk to `sink`, which may stop the
// read by returning false.
template <typename Sink>
bool ReadChunks(int fd, std::size_t limit, std::string& error, Sink&& sink) {
    char buf[65536];
    for (std::size_t done = 0; done < limit;) {
        const ssize_t n = ::read(fd, buf, std::min(sizeof buf, limit - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            error = SystemReason("ファイルを読めませんでした", errno);
            return false;
        }
        if (n == 0) break;
        if (!sink(std::string_view(buf, static_cast<std::size_t>(n)))) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes all of `bytes` to `fd`, going on after short writes and interruptions.
bool WriteAll(int fd, std::string_view bytes, std::string& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t chunk = bytes.size() - done;
        if (Injected(Fault::ShortWrite) && done == 0 && chunk > 1) chunk /= 2;
        ssize_t n = Injected(Fault::Write) ? -1 : ::write(fd, bytes.data() + done, chunk);
        if (n < 0) {
            int err = Injected(Fault::Write) ? ENOSPC : errno;
            if (err == EINTR) continue;
            error = SystemReason("ファイルに書き込めませんでした", err);
            return false;
        }
        if (n == 0) {
            error = "ファイルに書き込めませんでした（書き込みが進みません）";
            return false;
        }
        done += static_cast<std::size_t>(n);
        if (Injected(Fault::ShortWrite) && done < bytes.size()) {
            error = SystemReason("ファイルに書き込めませんでした", ENOSPC);
            return false;
        }
    }
    return true;
}

// Flushes `fd` to disk.
bool Sync(int fd, std::string& error) {
    if (!Injected(Fault::Sync) && ::fsync(fd) == 0) return true;
    error = SystemReason("ファイルをディスクに書き出せませんでした",
                         Injected(Fault::Sync) ? EIO : errno);
    return false;
}

// The permissions of a new file: what the user's umask leaves of read and write for all.
mode_t NewFileMode() {
    return 0666 & ~StartUmask;
}

// A template for mkstemp in the folder of `near`, with its zero byte: a short name of its own,
// so that beside a file whose name takes all the bytes a name may have there is still room for
// it, and hidden, as nobody is to open it.
std::vector<char> TempName(const std::string& near) {
    const std::string folder = FolderOf(near);
    const std::string name = (folder == "/" ? folder : folder + "/") + ".vq-XXXXXX";
    return std::vector<char>(name.c_str(), name.c_str() + name.size() + 1);
}

// The failures of a disk that is full or fails, as against what a file system or the user's
// rights do not allow.
bool DiskFault(int err) {
    return err == ENOSPC || err == EDQUOT || err == EIO;
}

// A file that a new one takes the place of: its name, what stood under it and, where the user
// may read it, that file open, so that its attributes are read from it and from nothing put in
// its place since.
struct Former {
    const std::string& path;
    struct stat st;
    int fd = -1;
};

ssize_t ListAttributes(const Former& former, char* names, std::size_t size) {
    return former.fd >= 0 ? ::flistxattr(former.fd, names, size)
                          : ::llistxattr(former.path.c_str(), names, size);
}

ssize_t GetAttribute(const Former& former, const char* name, void* value, std::size_t size) {
    return former.fd >= 0 ? ::fgetxattr(former.fd, name, value, size)
                          : ::lgetxattr(former.path.c_str(), name, value, size);
}

// Gives the new file `fd` what the file it replaces had beyond its bytes and its mode, as far
// as the user may: the owner (only the administrator may give a file away), the group (a
// member of it may), and the extended attributes, which hold the access control lists (copied
// as they are, so no library of their own is needed). What the file system or the user's
// rights do not allow is left out; only a disk that is full or fails fails the save.
bool TakeAttributes(int fd, const Former& former, std::string& error) {
    if (::fchown(fd, former.st.st_uid, former.st.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), former.st.st_gid);
    std::vector<char> names;
    for (;;) {
        ssize_t n = ListAttributes(former, nullptr, 0);
        if (n <= 0) break;
        names.resize(static_cast<std::size_t>(n));
        n = ListAttributes(former, names.data(), names.size());
        if (n >= 0) {
            names.resize(static_cast<std::size_t>(n));
            break;
        }
        names.clear();
        if (errno != ERANGE) break; // ERANGE: an attribute came meanwhile
    }
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size(); at += std::strlen(&names[at]) + 1) {
        const char* const name = &names[at];
        ssize_t n = -1;
        do {
            n = GetAttribute(former, name, nullptr, 0);
            if (n < 0) break;
            value.resize(static_cast<std::size_t>(n) + 1); // never empty, so never without data
            n = GetAttribute(former, name, value.data(), value.size());
        } while (n < 0 && errno == ERANGE);
        if (n < 0) continue; // gone meanwhile, or not the user's to read
        const bool set = !Injected(Fault::Attributes) &&
                         ::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(n), 0) == 0;
        const int err = Injected(Fault::Attributes) ? ENOSPC : errno;
        if (!set && DiskFault(err)) {
            error = SystemReason("ファイルの属性を書き込めませんでした", err);
            return false;
        }
    }
    return true;
}

// Gives `fd` the permissions `mode`. A failure that leaves the file without a permission it is
// to have fails the save, as a file kept private would lock the others out without a word; a
// disk without permissions of its own (FAT) refuses modes it cannot show, and shows them all.
bool SetMode(int fd, mode_t mode, std::string& error) {
    if (!Injected(Fault::Mode) && ::fchmod(fd, mode) == 0) return true;
    const int err = Injected(Fault::Mode) ? EPERM : errno;
    struct stat st;
    if (!Injected(Fault::Mode) && ::fstat(fd, &st) == 0 &&
        (st.st_mode & mode & 0777) == (mode & 0777))
        return true;
    error = SystemReason("ファイルのアクセス権を設定できませんでした", err);
    return false;
}

// Gives the user `owner` the permissions `perms` (read, write and run as three bits) on `fd`
// through an entry of its access control list: the file is no longer theirs, and they are to
// keep the access they had. The system keeps the list in an extended attribute: a version,
// then entries of a tag, the permissions and a user or group number, in the order of tag and
// number, all little-endian; the mask entry bounds every entry but the owner's and the
// others'. Left out where the disk keeps no such lists.
void GrantAccess(int fd, uid_t owner, unsigned perms) {
    enum : std::uint16_t { UserObj = 1, User = 2, GroupObj = 4, Group = 8, Mask = 16, Other = 32 };
    constexpr std::uint32_t Undefined = 0xFFFFFFFFu;
    constexpr const char* Name = "system.posix_acl_access";
    struct Entry {
        std::uint16_t tag, perms;
        std::uint32_t id;
    };
    auto get = [](const unsigned char* p, int bytes) {
        std::uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
        return v;
    };
    std::vector<Entry> entries;
    unsigned char list[4 + 8 * 256];
    const ssize_t n = ::fgetxattr(fd, Name, list, sizeof list);
    if (n >= 4 && (n - 4) % 8 == 0 && get(list, 4) == 2) {
        for (ssize_t at = 4; at < n; at += 8)
            entries.push_back({static_cast<std::uint16_t>(get(list + at, 2)),
                               static_cast<std::uint16_t>(get(list + at + 2, 2)),
                               get(list + at + 4, 4)});
    } else {
        struct stat st;
        if (n >= 0 || ::fstat(fd, &st) != 0) return; // a list of another form: left as it is
        entries = {{UserObj, static_cast<std::uint16_t>(st.st_mode >> 6 & 7), Undefined},
                   {GroupObj, static_cast<std::uint16_t>(st.st_mode >> 3 & 7), Undefined},
                   {Other, static_cast<std::uint16_t>(st.st_mode & 7), Undefined}};
    }
    std::erase_if(entries, [&](const Entry& e) { return e.tag == User && e.id == owner; });
    entries.push_back({User, static_cast<std::uint16_t>(perms & 7), owner});
    auto mask =
        std::find_if(entries.begin(), entries.end(), [](const Entry& e) { return e.tag == Mask; });
    if (mask == entries.end()) {
        std::uint16_t all = 0;
        for (const Entry& e : entries)
            if (e.tag == User || e.tag == GroupObj || e.tag == Group) all |= e.perms;
        entries.push_back({Mask, all, Undefined});
    } else {
        mask->perms |= perms & 7;
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.tag != b.tag ? a.tag < b.tag : a.id < b.id;
    });
    std::string bytes;
    auto put = [&](std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>(v >> 8 * i & 0xFF));
    };
    put(2, 4);
    for (const Entry& e : entries) put(e.tag, 2), put(e.perms, 2), put(e.id, 4);
    (void)::fsetxattr(fd, Name, bytes.data(), bytes.size(), 0);
}

// Creates a new file beside `near`, lets `fill` write it and flushes it to disk. It stays
// private (as mkstemp makes it) until its bytes are complete; then it takes `mode` and, when it
// takes the place of `former`, the attributes of that file, and where the owner of that file
// cannot be kept, gives them the access they had. Its name goes to `tempPath`, and what was
// written to `written` when given. On failure nothing is left behind.
template <typename Fill>
bool WriteTempFile(const std::string& near, mode_t mode, const Former* former,
                   std::string& tempPath, FileIdentity* written, std::string& error, Fill&& fill) {
    std::vector<char> name = TempName(near);
    int fd = Injected(Fault::Open) ? -1 : ::mkstemp(name.data());
    if (fd < 0) {
        error = SystemReason("一時ファイルを作成できませんでした",
                             Injected(Fault::Open) ? EACCES : errno);
        return false;
    }
    tempPath = name.data();
    bool ok = fill(fd);
    // The owner first: a change of owner or group takes away the set-ID bits of the mode; and
    // the mode before a granted entry, since a change of mode narrows the list's mask.
    ok = ok && (!former || TakeAttributes(fd, *former, error));
    ok = ok && SetMode(fd, mode, error);
    struct stat st;
    const bool statted = ok && ::fstat(fd, &st) == 0;
    if (statted && former && st.st_uid != former->st.st_uid)
        GrantAccess(fd, former->st.st_uid, former->st.st_mode >> 6 & 7);
    ok = ok && Sync(fd, error);
    if (ok && statted && written) *written = IdentityFrom(st);
    if (::close(fd) != 0 || Injected(Fault::Close)) {
        if (ok)
            error = SystemReason("ファイルを閉じられませんでした",
                                 Injected(Fault::Close) ? EIO : errno);
        ok = false;
    }
    if (!ok) ::unlink(tempPath.c_str());
    return ok;
}

// A second name beside `near` for the regular file `from` that was examined as `examined`, its
// name going to `secondPath` and what it names to `made`: a hard link, or where the disk takes
// none or `copy` asks for one, a copy made complete on disk that takes the file's mode and
// attributes. Only the file examined is linked or copied, never through a link: a link or
// another file put in its place meanwhile fails it. The file is never read whole, whatever its
// size.
bool SecondName(const std::string& from, const struct stat& examined, const std::string& near,
                bool copy, std::string& secondPath, struct stat& made, std::string& error) {
    if (!copy && !Injected(Fault::Link)) {
        std::vector<char> name = TempName(near);
        const int fd = ::mkstemp(name.data()); // reserves a free name for the link
        if (fd < 0) {
            error = SystemReason(BackupFailed, errno);
            return false;
        }
        ::close(fd);
        ::unlink(name.data());
        if (::link(from.c_str(), name.data()) == 0) { // links a link itself, never its file
            if (::lstat(name.data(), &made) == 0 && S_ISREG(made.st_mode) &&
                SameFile(made, examined)) {
                secondPath = name.data();
                return true;
            }
            ::unlink(name.data());
            error = Reason(BackupFailed, Swapped);
            return false;
        }
    }
    const int in = OpenExamined(from, examined, O_RDONLY, BackupFailed, error);
    if (in < 0) return false;
    if (::fstat(in, &made) != 0) made = examined;
    const Former former{from, made, in};
    FileIdentity copied;
    const bool ok = WriteTempFile(
        near, made.st_mode & 07777, &former, secondPath, &copied, error, [&](int out) {
            return ReadChunks(in, SIZE_MAX, error,
                              [&](std::string_view chunk) { return WriteAll(out, chunk, error); });
        });
    ::close(in);
    made.st_dev = static_cast<dev_t>(copied.device);
    made.st_ino = static_cast<ino_t>(copied.inode);
    return ok;
}

// Removes the second name `secondPath` made for `made` when it is still there after a rename:
// rename(2) between two names of one file does nothing, and a backup that already is the saved
// file (a save cut off between its two renames, or one racing it, leaves it so) would keep a
// whole old version under a name nothing else removes.
void DropSecondName(const std::string& secondPath, const struct stat& made) {
    struct stat st;
    if (::lstat(secondPath.c_str(), &st) == 0 && SameFile(st, made)) ::unlink(secondPath.c_str());
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd); // best effort: the data itself is already on disk
    ::close(fd);
}

// The backup of a save. It is made complete under a name of its own before anything is
// replaced, then takes the backup's name; the earlier backup keeps a second name until the
// save is done, so that a failure at any step puts back both the file and the earlier backup.
// Without a backup's name, a copy made for the save stays under its own name until the save is
// done.
class Backup {
public:
    Backup(const std::string& path, const std::string& backupPath)
        : path_(path), backupPath_(backupPath) {}

    // Makes the backup of the file examined as `old`: a copy when `copy`, else a second name
    // where the disk takes one.
    bool make(const struct stat& old, bool copy, std::string& error) {
        Reached(Step::Backup);
        struct stat made {};
        bool ok = !Injected(Fault::Backup) &&
                  SecondName(path_, old, backupPath_.empty() ? path_ : backupPath_, copy, name_,
                             made, error);
        if (Injected(Fault::Backup)) error = BackupFailed;
        if (backupPath_.empty()) return ok;
        struct stat earlier;
        if (ok && ::lstat(backupPath_.c_str(), &earlier) == 0) {
            ok = S_ISREG(earlier.st_mode) && SecondName(backupPath_, earlier, backupPath_, false,
                                                        earlierName_, earlierMade_, error);
            if (!S_ISREG(earlier.st_mode)) error = Reason(BackupFailed, Swapped);
        }
        if (ok && ::rename(name_.c_str(), backupPath_.c_str()) != 0) {
            error = SystemReason(BackupFailed, errno);
            ok = false;
        }
        if (ok) {
            DropSecondName(name_, made);
            name_ = backupPath_;
            return true;
        }
        if (!name_.empty()) ::unlink(name_.c_str());
        if (!earlierName_.empty()) ::unlink(earlierName_.c_str());
        name_.clear();
        earlierName_.clear();
        return false;
    }

    // Where the backup stands: its name, or the name of its own of the copy made for a save
    // without one.
    const std::string& name() const { return name_; }

    // The file was replaced: the earlier backup's second name goes, and so does a copy that
    // stood in for a backup.
    void done() {
        if (!earlierName_.empty()) ::unlink(earlierName_.c_str());
        if (backupPath_.empty() && !name_.empty()) ::unlink(name_.c_str());
    }

    // The file stands as it was: the earlier backup (or none) goes back under the backup's
    // name. Its second name goes only once it is back; otherwise `error` says where it is.
    void undo(std::string& error) {
        if (name_.empty()) return;
        if (backupPath_.empty() || earlierName_.empty()) {
            ::unlink(name_.c_str());
        } else if (!Injected(Fault::Restore) &&
                   ::rename(earlierName_.c_str(), backupPath_.c_str()) == 0) {
            DropSecondName(earlierName_, earlierMade_);
        } else {
            error += "\n\n以前のバックアップファイルを元の名前に戻せなかったため、次の名前で残して"
                     "います。\n" +
                     earlierName_;
        }
    }

private:
    const std::string& path_;
    const std::string& backupPath_;
    std::string name_, earlierName_;
    struct stat earlierMade_ {};
};

// Writes `bytes` over the file itself, open for writing as `fd`, once a copy of it is complete
// on disk as its backup (or, without one, under a name of its own until the write is done):
// another user's file that the user may write keeps its owner so, whom a new file, which would
// be the user's, would lock out. A write that fails puts the copied bytes back.
SaveStatus WriteInPlace(int fd, const std::string& path, const struct stat& old,
                        std::string_view bytes, const std::string& backupPath, std::string& error) {
    Backup backup(path, backupPath);
    if (!backup.make(old, true, error)) return SaveStatus::Failed;
    SyncFolder(FolderOf(path)); // the backup stands on disk before the file is touched
    Reached(Step::Replace);
    struct stat now;
    if (!Unchanged(path, IdentityFrom(old)) || ::fstat(fd, &now) != 0 ||
        !(IdentityFrom(now) == IdentityFrom(old))) {
        error = ChangedMeanwhile;
        backup.undo(error);
        return SaveStatus::Changed;
    }
    auto failed = [&] {
        error = SystemReason("ファイルに書き込めませんでした", errno);
        return false;
    };
    const bool ok = (::lseek(fd, 0, SEEK_SET) == 0 || failed()) && WriteAll(fd, bytes, error) &&
                    (::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 || failed()) &&
                    Sync(fd, error);
    if (ok) {
        backup.done();
        return SaveStatus::Saved;
    }
    std::string ignored;
    const int in = ::open(backup.name().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    off_t size = 0;
    const bool putBack = in >= 0 && ::lseek(fd, 0, SEEK_SET) == 0 &&
                         ReadChunks(in, SIZE_MAX, ignored,
                                    [&](std::string_view chunk) {
                                        size += static_cast<off_t>(chunk.size());
                                        return ::write(fd, chunk.data(), chunk.size()) ==
                                               static_cast<ssize_t>(chunk.size());
                                    }) &&
                         ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    if (in >= 0) ::close(in);
    if (putBack)
        backup.undo(error);
    else
        error += "\n\n元のファイルの内容は、次のファイルに残っています。\n" + backup.name();
    return SaveStatus::Failed;
}

// Whether a file that replaces the one examined as `st` can belong to its owner: the user's own
// file, or any when the administrator saves.
bool OwnerKept(const struct stat& st) {
    const uid_t me = ::geteuid();
    return me == 0 || st.st_uid == me;
}

// Whether the user may put another file in the place of `st` named `name`: in a folder with
// the sticky bit (as /tmp) only the file's owner, the folder's owner and the administrator may.
bool MayTakeName(const std::string& name, const struct stat& st) {
    const uid_t me = ::geteuid();
    if (me == 0 || st.st_uid == me) return true;
    struct stat folder;
    if (::stat(FolderOf(name).c_str(), &folder) != 0) return true; // the save itself will say
    return (folder.st_mode & S_ISVTX) == 0 || folder.st_uid == me;
}

// Follows the symbolic links of `path` as the system does (a relative link counts from its own
// folder), handing each link to `take` with its name and the name it leads to; `take` may stop
// the walk by setting `error` and returning false. `file` takes the name the links lead to,
// where nothing need exist yet.
template <typename Take>
bool WalkLinks(const std::string& path, std::string& file, std::string& error, Take&& take) {
    file = path;
    for (int hops = 0; hops <= 40; ++hops) { // as many as the system follows
        struct stat st;
        if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(file.c_str(), target, sizeof target);
        if (n <= 0 || n == static_cast<ssize_t>(sizeof target)) {
            error = SystemReason(SaveTargetUnclear, n < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        LinkStep step{st.st_dev, st.st_ino, st.st_uid,
                      std::string(target, static_cast<std::size_t>(n))};
        const std::size_t slash = file.rfind('/');
        std::string next = step.target.front() == '/' || slash == std::string::npos
                               ? step.target
                               : file.substr(0, slash + 1) + step.target;
        if (!take(std::move(step), file, next)) return false;
        file = std::move(next);
    }
    error = SystemReason(SaveTargetUnclear, ELOOP);
    return false;
}

LinkPath LinksOf(const std::string& path) {
    LinkPath links;
    std::string file, error;
    WalkLinks(path, file, error, [&](LinkStep step, const std::string&, const std::string&) {
        links.push_back(std::move(step));
        return true;
    });
    return links;
}

// The file a save through `path` writes, following only links nobody else can have steered: a
// link that stood as it was when the name was read or last saved (`before`, the links then),
// or, with nothing known of then, one the user or the administrator made. Another user's link,
// or one that came or changed since, could lead the save anywhere the user may write, even to
// a file of the user's own that does not exist yet. `links` takes the links followed.
bool FollowLinks(const std::string& path, const LinkPath* before, std::string& file,
                 LinkPath& links, std::string& error) {
    links.clear();
    return WalkLinks(
        path, file, error, [&](LinkStep step, const std::string& link, const std::string& next) {
            const char* refused = nullptr;
            if (before && (links.size() >= before->size() || !((*before)[links.size()] == step)))
                refused = "保存先のシンボリックリンクは、ファイルを開いた後に作られた"
                          "か、変えられています";
            else if (!before && step.owner != ::geteuid() && step.owner != 0)
                refused = "保存先は、他の利用者のシンボリックリンクです";
            if (refused) {
                error = Reason(refused, link + " → " + next);
                return false;
            }
            links.push_back(std::move(step));
            return true;
        });
}

// A lock beside the file a save replaces, a file created only where none stands (as
// version-control tools lock their index), held from the last look at what stands there to its
// replacement: copies of the program that save the same file at once go one after another,
// instead of each finding another file than the one it examined. A lock that a save cut off
// left behind is taken over once it is older than StaleAfter, or once this save has waited
// that long (the clocks of a file server and of this machine may differ). A folder where no
// lock can be made is saved to without one; the save itself says what fails there.
class SaveLock {
public:
    explicit SaveLock(const std::string& file) {
        // A short hidden name of its own: beside a name of 255 bytes no longer one would fit.
        char hex[17];
        const std::size_t slash = file.rfind('/');
        std::snprintf(
            hex, sizeof hex, "%016llx",
            static_cast<unsigned long long>(
                DigestOf(slash == std::string::npos ? file : file.substr(slash + 1)).hash));
        const std::string folder = FolderOf(file);
        name_ = (folder == "/" ? folder : folder + "/") + ".vq-lock-" + hex;
        auto waitFrom = std::chrono::steady_clock::now();
        for (;;) {
            const int fd =
                ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
            if (fd >= 0) {
                held_ = ::fstat(fd, &st_) == 0;
                ::close(fd);
                return;
            }
            struct stat st;
            if (errno != EEXIST) return;
            if (::lstat(name_.c_str(), &st) != 0) continue; // released meanwhile
            if (!S_ISREG(st.st_mode)) return;
            const auto now = std::chrono::steady_clock::now();
            if (now - waitFrom >= StaleAfter ||
                std::chrono::system_clock::now() -
                        std::chrono::system_clock::from_time_t(st.st_mtim.tv_sec) >=
                    StaleAfter) {
                // A lock that cannot be taken over (another user's, in a folder where only
                // owners may remove files) would hold every save of the file for good: saved
                // without one, as where none can be made.
                struct stat again;
                if (::lstat(name_.c_str(), &again) == 0 && SameFile(again, st) &&
                    ::unlink(name_.c_str()) != 0 && errno != ENOENT)
                    return;
                waitFrom = now;
                continue;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    // Removed only while it is still this save's lock, not one that took it over.
    ~SaveLock() {
        struct stat st;
        if (held_ && ::lstat(name_.c_str(), &st) == 0 && SameFile(st, st_)) ::unlink(name_.c_str());
    }
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    static constexpr std::chrono::seconds StaleAfter{30};

private:
    std::string name_;
    struct stat st_ {};
    bool held_ = false;
};

// Looks at what stands at `file`, without following a link: `exists` says whether anything
// does; false, with `error` saying why, when it cannot be looked at or is no regular file.
bool ExamineTarget(const std::string& file, struct stat& st, bool& exists, std::string& error) {
    exists = ::lstat(file.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) {
        error = SystemReason(SaveTargetUnclear, errno);
        return false;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        error = "保存先は" + NotAFile(st.st_mode);
        return false;
    }
    return true;
}

// What stands at `file` now, looked at without following a link: `identity` takes its identity
// (unknown when nothing stands there), and the result the digest of its bytes, none when they
// cannot be read whole (too large for a model file, or not the user's to read).
std::optional<Digest> Look(const std::string& file, FileIdentity& identity) {
    identity = {};
    struct stat st;
    if (::lstat(file.c_str(), &st) != 0) {
        if (errno != ENOENT) identity.size = 0; // something may stand there, unseen
        return std::nullopt;
    }
    identity = IdentityFrom(st);
    std::string ignored;
    const int fd = OpenExamined(file, st, O_RDONLY, "", ignored);
    if (fd < 0) return std::nullopt;
    Digest digest;
    const bool whole = ReadChunks(fd, Largest + 1, ignored, [&](std::string_view chunk) {
        digest.add(chunk);
        return true;
    });
    ::close(fd);
    if (!whole || digest.size > Largest) return std::nullopt;
    return digest;
}

// A file the user cannot write, or one that nobody may write: the user protected it.
bool Protected(const std::string& file, const struct stat& st) {
    return (st.st_mode & 0222) == 0 ||
           (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES);
}

bool Confirmed(const std::string& question) {
    return Messages().ask(question, SaveQuestionCaption, MsgButtons::YesNo, MsgIcon::Question) ==
           MsgAnswer::Yes;
}

// Why no backup can be made under `backup`, in the user's words; empty when one can. Whatever
// holds the name and is not the user's to replace stays where it is.
std::string BackupBlocked(const std::string& backup) {
    struct stat st;
    if (::lstat(backup.c_str(), &st) != 0)
        return errno == ENAMETOOLONG
                   ? "バックアップのファイル名が長すぎるため、バックアップを作れません。"
                   : "";
    if (!S_ISREG(st.st_mode))
        return std::string("バックアップと同じ名前の") + KindName(st.st_mode) +
               "があるため、バックアップを作れません。";
    if (!MayTakeName(backup, st))
        return "バックアップと同じ名前の、他の利用者のファイルがあるため、"
               "バックアップを作れません。";
    return {};
}

} // namespace

std::string ReasonText(int err) {
    switch (err) {
    case ENOSPC:
        return "ディスクの空き容量が足りません";
    case EDQUOT:
        return "ディスクの使用量の上限を超えています";
    case EACCES:
    case EPERM:
        return "アクセスする権限がありません";
    case EROFS:
        return "書き込みの出来ない場所です";
    case ENOENT:
        return "ファイルまたはフォルダーがありません";
    case ENOTDIR:
        return "フォルダーの指定が正しくありません";
    case EISDIR:
        return "ファイルではなくフォルダーです";
    case ENAMETOOLONG:
        return "ファイル名が長すぎます";
    case ELOOP:
        return "シンボリックリンクが循環していて、たどれません";
    case EIO:
        return "ディスクの読み書きで異常が起きました";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます";
    case EBUSY:
    case ETXTBSY:
        return "ファイルが使用中です";
    case EEXIST:
        return "同じ名前のファイルがあります";
    case EXDEV:
        return "別のドライブへは移せません";
    default:
        return "システムのエラー（番号 " + std::to_string(err) + "）";
    }
}

void InjectFault(Fault fault) {
    injected = fault;
}

void SetStepHook(std::function<void(Step)> hook) {
    stepHook = std::move(hook);
}

void Digest::add(std::string_view bytes) {
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    size += bytes.size();
}

Digest DigestOf(std::string_view bytes) {
    Digest digest;
    digest.add(bytes);
    return digest;
}

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit,
                                         std::string& error, FileState* state) {
    if (state) state->links = LinksOf(path);
    const int fd = OpenRegular(path, "ファイルを開けませんでした", error);
    if (fd < 0) return std::nullopt;
    std::string data;
    const bool ok = ReadChunks(fd, limit, error, [&](std::string_view chunk) {
        data += chunk;
        return true;
    });
    ::close(fd);
    if (!ok) return std::nullopt;
    if (state) state->digest = DigestOf(data);
    return data;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error,
                                         FileState* state) {
    std::optional<std::string> data = ReadFileStart(path, Largest + 1, error, state);
    if (data && data->size() > Largest) {
        error = "ファイルが大きすぎます";
        return std::nullopt;
    }
    return data;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

SaveStatus ReplaceFileSafely(const std::string& path, std::string_view bytes,
                             const std::string& backupPath, std::string& error,
                             const FileIdentity* examined) {
    struct stat old;
    bool exists = false;
    if (!ExamineTarget(path, old, exists, error)) return SaveStatus::Failed;
    const FileIdentity start = exists ? IdentityFrom(old) : FileIdentity{};
    if (examined && !(start == *examined)) {
        error = ChangedMeanwhile;
        return SaveStatus::Changed;
    }
    if (exists && !OwnerKept(old)) {
        const int fd = OpenExamined(path, old, O_WRONLY, "ファイルに書き込めませんでした", error);
        if (fd >= 0) {
            const SaveStatus status = WriteInPlace(fd, path, old, bytes, backupPath, error);
            ::close(fd);
            return status;
        }
        // A file the user may not write (one they agreed to replace though protected) is
        // replaced by a new one, which gives the owner the access they had.
        if (errno != EACCES && errno != EPERM) return SaveStatus::Failed;
    }

    int oldFd = -1;
    if (exists) {
        oldFd = OpenExamined(path, old, O_RDONLY, "ファイルを置き換えられませんでした", error);
        if (oldFd < 0 && errno != EACCES) return SaveStatus::Failed; // else attributes by name
    }
    const Former former{path, old, oldFd};
    std::string temp;
    const bool made = WriteTempFile(path, exists ? old.st_mode & 07777 : NewFileMode(),
                                    exists ? &former : nullptr, temp, nullptr, error,
                                    [&](int fd) { return WriteAll(fd, bytes, error); });
    if (oldFd >= 0) ::close(oldFd);
    if (!made) return SaveStatus::Failed;

    Backup backup(path, backupPath);
    if (exists && !backupPath.empty() && !backup.make(old, false, error)) {
        ::unlink(temp.c_str());
        return SaveStatus::Failed;
    }
    Reached(Step::Replace);
    SaveStatus status = SaveStatus::Saved;
    const bool fails = Injected(Fault::Rename) || Injected(Fault::Restore);
    if (!Unchanged(path, start)) {
        error = ChangedMeanwhile;
        status = SaveStatus::Changed;
    } else if (fails || ::rename(temp.c_str(), path.c_str()) != 0) {
        error = SystemReason("ファイルを置き換えられませんでした", fails ? EACCES : errno);
        status = SaveStatus::Failed;
    }
    if (status != SaveStatus::Saved) {
        ::unlink(temp.c_str());
        backup.undo(error);
        return status;
    }
    backup.done();
    SyncFolder(FolderOf(path));
    return SaveStatus::Saved;
}

SaveStatus SaveFile(const std::string& path, std::string_view bytes,
                    std::string (*backupOf)(const std::string& file), std::string& error,
                    const FileState* before, FileState* saved) {
    std::string file;
    LinkPath links;
    if (!FollowLinks(path, before && before->links ? &*before->links : nullptr, file, links, error))
        return SaveStatus::Failed;
    struct stat st;
    bool exists = false;
    if (!ExamineTarget(file, st, exists, error)) return SaveStatus::Failed;
    // Checked before anything is made: a second name of the file would be one the user could
    // not remove.
    if (exists && !MayTakeName(file, st)) {
        error = Reason("保存先は、持ち主しか置き換えられないフォルダーにある、他の利用者のファイル"
                       "です",
                       file);
        return SaveStatus::Failed;
    }
    // Whether the bytes that stand there are other than those the save may replace: then the
    // caller asks first, before any other question.
    const std::optional<Digest> expected = before ? before->digest : std::nullopt;
    FileIdentity examined;
    std::optional<Digest> found;
    const auto changed = [&] {
        found = Look(file, examined);
        return examined.known() && found != expected;
    };
    const auto report = [&] {
        if (saved) *saved = {std::nullopt, found};
        return SaveStatus::Changed;
    };
    if (expected && changed()) return report();
    if (exists && Protected(file, st) &&
        !Confirmed("このファイルは書き込み禁止になっています。\n\n" + file +
                   "\n\n置き換えて保存する　　　はい\n\n保存を中止する　　　　　いいえ"))
        return SaveStatus::Cancelled;

    std::string backup = exists ? backupOf(file) : std::string();
    SaveStatus status = SaveStatus::Saved;
    if (backup == file) {
        backup.clear(); // saving over a backup: nothing to keep it in
    } else if (const std::string blocked = backup.empty() ? "" : BackupBlocked(backup);
               !blocked.empty()) {
        if (!Confirmed(blocked + "\n\n" + backup +
                       "\n\nバックアップを作らずに保存する　　はい\n\n"
                       "保存を中止する　　　　　　　　　いいえ"))
            return SaveStatus::Cancelled;
        backup.clear();
        status = SaveStatus::SavedWithoutBackup;
    }
    // Once more under the lock, and the file then looked at is the one replaced; where nothing
    // stood, nothing may have come meanwhile, as it would be replaced without a backup.
    const SaveLock lock(file);
    if (expected && changed()) return report();
    const FileIdentity nothing;
    const SaveStatus replaced = ReplaceFileSafely(file, bytes, backup, error,
                                                  expected ? &examined
                                                  : exists ? nullptr
                                                           : &nothing);
    if (replaced == SaveStatus::Changed && expected) {
        changed();
        return report();
    }
    if (replaced != SaveStatus::Saved) return SaveStatus::Failed;
    if (saved) *saved = {std::move(links), DigestOf(bytes)};
    return status;
}

} // namespace fileio

namespace fileio {

std::string_view ExtensionOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return path.substr(dot);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace fileio
