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

// Opens an existing regular file for reading. Anything else is refused by what its name holds,
// before it is opened, and once more by what was opened, since another kind may have taken the
// name meanwhile; the open itself never waits, so that not even then does a named pipe hold the
// window.
int OpenRegular(const std::string& path, const char* what, std::string& error) {
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

// A template for mkstemp: `near` and a suffix, with its zero byte.
std::vector<char> TempName(const std::string& near) {
    std::vector<char> name(near.begin(), near.end());
    const char suffix[] = ".tmpXXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    return name;
}

// Creates a new file beside `near` with `mode`, lets `fill` write it and flushes it to disk;
// its name goes to `tempPath`. On failure nothing is left behind.
template <typename Fill>
bool WriteTempFile(const std::string& near, mode_t mode, std::string& tempPath, std::string& error,
                   Fill&& fill) {
    std::vector<char> name = TempName(near);
    int fd = Injected(Fault::Open) ? -1 : ::mkstemp(name.data());
    if (fd < 0) {
        error = SystemReason("一時ファイルを作成できませんでした",
                             Injected(Fault::Open) ? EACCES : errno);
        return false;
    }
    tempPath = name.data();
    ::fchmod(fd, mode); // mkstemp makes the file private
    bool ok = fill(fd);
    if (ok && (Injected(Fault::Sync) || ::fsync(fd) != 0)) {
        error = SystemReason("ファイルをディスクに書き出せませんでした",
                             Injected(Fault::Sync) ? EIO : errno);
        ok = false;
    }
    if (::close(fd) != 0 || Injected(Fault::Close)) {
        if (ok)
            error = SystemReason("ファイルを閉じられませんでした",
                                 Injected(Fault::Close) ? EIO : errno);
        ok = false;
    }
    if (!ok) ::unlink(tempPath.c_str());
    return ok;
}

// A second name beside `near` for the regular file at `from`, its name going to `secondPath`:
// a hard link, or where the disk takes none, a copy with `mode` made complete on disk. The file
// is never read whole, whatever its size.
bool SecondName(const std::string& from, const std::string& near, mode_t mode,
                std::string& secondPath, std::string& error) {
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
            return true;
        }
    }
    const int in = OpenRegular(from, BackupFailed, error);
    if (in < 0) return false;
    const bool ok = WriteTempFile(near, mode, secondPath, error, [&](int out) {
        return ReadChunks(in, SIZE_MAX, error,
                          [&](std::string_view chunk) { return WriteAll(out, chunk, error); });
    });
    ::close(in);
    return ok;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd); // best effort: the data itself is already on disk
    ::close(fd);
}

// The file a save through `path` writes: `path` itself, or the file its symbolic links lead to
// (a relative link counts from its own folder), which need not exist yet.
bool FollowLinks(const std::string& path, std::string& file, std::string& error) {
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

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit,
                                         std::string& error) {
    const int fd = OpenRegular(path, "ファイルを開けませんでした", error);
    if (fd < 0) return std::nullopt;
    std::string data;
    const bool ok = ReadChunks(fd, limit, error, [&](std::string_view chunk) {
        data += chunk;
        return true;
    });
    ::close(fd);
    if (!ok) return std::nullopt;
    return data;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error) {
    constexpr std::size_t Largest = 64u << 20; // far beyond any model file
    std::optional<std::string> data = ReadFileStart(path, Largest + 1, error);
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
                       const std::string& backupPath, std::string& error) {
    struct stat old;
    const bool exists = ::lstat(path.c_str(), &old) == 0;
    const mode_t mode = exists ? old.st_mode & 07777 : NewFileMode();
    std::string temp;
    if (!WriteTempFile(path, mode, temp, error, [&](int fd) { return WriteAll(fd, bytes, error); }))
        return false;

    // The backup is made complete under a name of its own first; the backup it replaces keeps a
    // second name until the new file is in place, so a failure at any step leaves both the file
    // and its earlier backup as they were.
    std::string backupTemp, oldBackup;
    const bool keepBackup = !backupPath.empty() && exists;
    if (keepBackup) {
        bool made = false;
        if (Injected(Fault::Backup))
            error = BackupFailed;
        else
            made = SecondName(path, backupPath, mode, backupTemp, error);
        struct stat earlier;
        if (made && ::lstat(backupPath.c_str(), &earlier) == 0)
            made = SecondName(backupPath, backupPath, earlier.st_mode & 07777, oldBackup, error);
        if (made && ::rename(backupTemp.c_str(), backupPath.c_str()) != 0) {
            error = SystemReason(BackupFailed, errno);
            made = false;
        }
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
            if (!oldBackup.empty())
                ::rename(oldBackup.c_str(), backupPath.c_str());
            else
                ::unlink(backupPath.c_str());
        }
        return false;
    }
    if (!oldBackup.empty()) ::unlink(oldBackup.c_str());
    SyncFolder(FolderOf(path));
    return true;
}

SaveStatus SaveFile(const std::string& path, std::string_view bytes,
                    std::string (*backupOf)(const std::string& file), std::string& error) {
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
    struct stat taken;
    if (backup == file) {
        backup.clear(); // saving over a backup: nothing to keep it in
    } else if (!backup.empty() && ::lstat(backup.c_str(), &taken) == 0 && !S_ISREG(taken.st_mode)) {
        // Whatever holds the name is the user's: it stays where it is, and so no backup.
        if (!Confirmed(std::string("バックアップと同じ名前の") + KindName(taken.st_mode) +
                       "があるため、バックアップを作れません。\n\n" + backup +
                       "\n\nバックアップを作らずに保存する　　はい\n\n"
                       "保存を中止する　　　　　　　　　いいえ"))
            return SaveStatus::Cancelled;
        if (!ReplaceFileSafely(file, bytes, {}, error)) return SaveStatus::Failed;
        return SaveStatus::SavedWithoutBackup;
    }
    return ReplaceFileSafely(file, bytes, backup, error) ? SaveStatus::Saved : SaveStatus::Failed;
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
