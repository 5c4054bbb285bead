#include "model/FileIo.h"

#include "model/Messages.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace fileio {

namespace {

Fault injected = Fault::None;

bool Injected(Fault f) {
    return injected == f;
}

std::string Reason(const char* what, const std::string& why) {
    return std::string(what) + "（" + why + "）";
}

std::string SystemReason(const char* what, int err) {
    return Reason(what, ReasonText(err));
}

const char* const BackupFailed = "バックアップファイルを作成できませんでした";
const char* const SaveTargetUnclear = "保存先を確かめられませんでした";

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

// The permissions of a new file: what the user's umask leaves of read and write for all.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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

// A file that a new one takes the place of: its name and what stood under it.
struct Former {
    const std::string& path;
    struct stat st;
};

// Gives the new file `fd` what the file it replaces had beyond its bytes and its mode, as far
// as the user may: the owner (only the administrator may give a file away), the group (a
// member of it may), and the extended attributes, which hold the access control lists (copied
// as they are, so no library of their own is needed). What the file system or the user's
// rights do not allow is left out; only a disk that is full or fails fails the save.
bool TakeAttributes(int fd, const Former& former, std::string& error) {
    if (::fchown(fd, former.st.st_uid, former.st.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), former.st.st_gid);
    const char* const from = former.path.c_str();
    std::vector<char> names;
    for (;;) {
        ssize_t n = ::llistxattr(from, nullptr, 0);
        if (n <= 0) break;
        names.resize(static_cast<std::size_t>(n));
        n = ::llistxattr(from, names.data(), names.size());
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
            n = ::lgetxattr(from, name, nullptr, 0);
            if (n < 0) break;
            value.resize(static_cast<std::size_t>(n) + 1); // never empty, so never without data
            n = ::lgetxattr(from, name, value.data(), value.size());
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

// Creates a new file beside `near` with `mode` and, when it takes the place of `former`, the
// attributes of that file; lets `fill` write it and flushes it to disk. Its name goes to
// `tempPath`, and what was written to `written` when given. On failure nothing is left behind.
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
    // The owner first: a change of owner or group takes away the set-ID bits of the mode.
    bool ok = !former || TakeAttributes(fd, *former, error);
    ::fchmod(fd, mode); // mkstemp makes the file private
    ok = ok && fill(fd);
    if (ok && (Injected(Fault::Sync) || ::fsync(fd) != 0)) {
        error = SystemReason("ファイルをディスクに書き出せませんでした",
                             Injected(Fault::Sync) ? EIO : errno);
        ok = false;
    }
    struct stat st;
    if (ok && written && ::fstat(fd, &st) == 0) *written = IdentityFrom(st);
    if (::close(fd) != 0 || Injected(Fault::Close)) {
        if (ok)
            error = SystemReason("ファイルを閉じられませんでした",
                                 Injected(Fault::Close) ? EIO : errno);
        ok = false;
    }
    if (!ok) ::unlink(tempPath.c_str());
    return ok;
}

// A second name beside `near` for the regular file at `from`, its name going to `secondPath`
// and what it names to `made`: a hard link, or where the disk takes none, a copy with `mode`
// and the attributes of `from` made complete on disk. The file is never read whole, whatever
// its size.
bool SecondName(const std::string& from, const std::string& near, mode_t mode,
                std::string& secondPath, struct stat& made, std::string& error) {
    if (!Injected(Fault::Link)) {
        std::vector<char> name = TempName(near);
        const int fd = ::mkstemp(name.data()); // reserves a free name for the link
        if (fd < 0) {
            error = SystemReason(BackupFailed, errno);
            return false;
        }
        ::close(fd);
        ::unlink(name.data());
        if (::link(from.c_str(), name.data()) == 0) {
            secondPath = name.data();
            if (::lstat(name.data(), &made) != 0) made = {};
            return true;
        }
    }
    const int in = OpenRegular(from, BackupFailed, error, &made);
    if (in < 0) return false;
    const Former former{from, made};
    FileIdentity copied;
    const bool ok = WriteTempFile(near, mode, &former, secondPath, &copied, error, [&](int out) {
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

// A link the system would not follow: one in a folder that everyone may write and only owners
// may empty (as /tmp), belonging to neither the user nor the folder's owner. Anyone could have
// left it there, to have the user's save land where they chose.
bool PlantedLink(const std::string& link, const struct stat& st) {
    if (st.st_uid == ::geteuid()) return false;
    struct stat folder;
    if (::stat(FolderOf(link).c_str(), &folder) != 0) return false;
    const mode_t shared = S_ISVTX | S_IWOTH;
    return (folder.st_mode & shared) == shared && folder.st_uid != st.st_uid;
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

// The file a save through `path` writes: `path` itself, or the file its symbolic links lead to
// (a relative link counts from its own folder), which need not exist yet.
bool FollowLinks(const std::string& path, std::string& file, std::string& error) {
    file = path;
    for (int hops = 0; hops <= 40; ++hops) { // as many as the system follows
        struct stat st;
        if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        if (PlantedLink(file, st)) {
            error = Reason("保存先は、誰でも書き込める共用のフォルダーにある、"
                           "他の利用者のシンボリックリンクです",
                           file);
            return false;
        }
        char target[PATH_MAX];
        const ssize_t n = ::readlink(file.c_str(), target, sizeof target);
        if (n <= 0 || n == static_cast<ssize_t>(sizeof target)) {
            error = SystemReason(SaveTargetUnclear, n < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        const std::string_view to(target, static_cast<std::size_t>(n));
        const std::size_t slash = file.rfind('/');
        file = to.front() == '/' || slash == std::string::npos
                   ? std::string(to)
                   : file.substr(0, slash + 1) + std::string(to);
    }
    error = SystemReason(SaveTargetUnclear, ELOOP);
    return false;
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

bool IdentityOf(const std::string& path, FileIdentity& identity) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    identity = IdentityFrom(st);
    return true;
}

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit,
                                         std::string& error, FileIdentity* identity) {
    struct stat st;
    const int fd = OpenRegular(path, "ファイルを開けませんでした", error, &st);
    if (fd < 0) return std::nullopt;
    if (identity) *identity = IdentityFrom(st);
    std::string data;
    const bool ok = ReadChunks(fd, limit, error, [&](std::string_view chunk) {
        data += chunk;
        return true;
    });
    ::close(fd);
    if (!ok) return std::nullopt;
    return data;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error,
                                         FileIdentity* identity) {
    constexpr std::size_t Largest = 64u << 20; // far beyond any model file
    std::optional<std::string> data = ReadFileStart(path, Largest + 1, error, identity);
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

bool ReplaceFileSafely(const std::string& path, std::string_view bytes,
                       const std::string& backupPath, std::string& error, FileIdentity* written) {
    struct stat old;
    const bool exists = ::lstat(path.c_str(), &old) == 0;
    const mode_t mode = exists ? old.st_mode & 07777 : NewFileMode();
    const Former former{path, old};
    std::string temp;
    if (!WriteTempFile(path, mode, exists ? &former : nullptr, temp, written, error,
                       [&](int fd) { return WriteAll(fd, bytes, error); }))
        return false;

    // The backup is made complete under a name of its own first; the backup it replaces keeps a
    // second name until the new file is in place, so a failure at any step leaves both the file
    // and its earlier backup as they were.
    std::string backupTemp, oldBackup;
    struct stat earlierLinked {};
    const bool keepBackup = !backupPath.empty() && exists;
    if (keepBackup) {
        bool made = false;
        struct stat linked {
        }, earlier{};
        if (Injected(Fault::Backup))
            error = BackupFailed;
        else
            made = SecondName(path, backupPath, mode, backupTemp, linked, error);
        if (made && ::lstat(backupPath.c_str(), &earlier) == 0)
            made = SecondName(backupPath, backupPath, earlier.st_mode & 07777, oldBackup,
                              earlierLinked, error);
        if (made && ::rename(backupTemp.c_str(), backupPath.c_str()) != 0) {
            error = SystemReason(BackupFailed, errno);
            made = false;
        }
        if (made) DropSecondName(backupTemp, linked);
        if (!made) {
            if (!backupTemp.empty()) ::unlink(backupTemp.c_str());
            if (!oldBackup.empty()) ::unlink(oldBackup.c_str());
            ::unlink(temp.c_str());
            return false;
        }
    }

    if (Injected(Fault::Rename) || ::rename(temp.c_str(), path.c_str()) != 0) {
        error = SystemReason("ファイルを置き換えられませんでした",
                             Injected(Fault::Rename) ? EACCES : errno);
        ::unlink(temp.c_str());
        if (keepBackup) {
            // Back to the earlier backup, or to none when there was none.
            if (!oldBackup.empty()) {
                ::rename(oldBackup.c_str(), backupPath.c_str());
                DropSecondName(oldBackup, earlierLinked);
            } else
                ::unlink(backupPath.c_str());
        }
        return false;
    }
    if (!oldBackup.empty()) ::unlink(oldBackup.c_str());
    SyncFolder(FolderOf(path));
    return true;
}

SaveStatus SaveFile(const std::string& path, std::string_view bytes,
                    std::string (*backupOf)(const std::string& file), std::string& error,
                    FileIdentity* written) {
    std::string file;
    if (!FollowLinks(path, file, error)) return SaveStatus::Failed;
    struct stat st;
    const bool exists = ::lstat(file.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) {
        error = SystemReason(SaveTargetUnclear, errno);
        return SaveStatus::Failed;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        error = "保存先は" + NotAFile(st.st_mode);
        return SaveStatus::Failed;
    }
    if (exists && Protected(file, st) &&
        !Confirmed("このファイルは書き込み禁止になっています。\n\n" + file +
                   "\n\n置き換えて保存する　　　はい\n\n保存を中止する　　　　　いいえ"))
        return SaveStatus::Cancelled;

    std::string backup = exists ? backupOf(file) : std::string();
    if (backup == file) {
        backup.clear(); // saving over a backup: nothing to keep it in
    } else if (const std::string blocked = backup.empty() ? "" : BackupBlocked(backup);
               !blocked.empty()) {
        if (!Confirmed(blocked + "\n\n" + backup +
                       "\n\nバックアップを作らずに保存する　　はい\n\n"
                       "保存を中止する　　　　　　　　　いいえ"))
            return SaveStatus::Cancelled;
        if (!ReplaceFileSafely(file, bytes, {}, error, written)) return SaveStatus::Failed;
        return SaveStatus::SavedWithoutBackup;
    }
    return ReplaceFileSafely(file, bytes, backup, error, written) ? SaveStatus::Saved
                                                                  : SaveStatus::Failed;
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
