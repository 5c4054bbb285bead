#include "model/FileIo.h"

#include <cctype>
#include <cerrno>
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

std::string SystemReason(const char* what, int err) {
    return std::string(what) + "（" + ReasonText(err) + "）";
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
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

// Creates a new file beside `near` with `bytes`, flushed to disk; its name goes to `tempPath`.
bool WriteTempFile(const std::string& near, std::string_view bytes, std::string& tempPath,
                   std::string& error) {
    std::vector<char> name(near.begin(), near.end());
    const char suffix[] = ".tmpXXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix); // with its zero byte
    int fd = Injected(Fault::Open) ? -1 : ::mkstemp(name.data());
    if (fd < 0) {
        error = SystemReason("一時ファイルを作成できませんでした",
                             Injected(Fault::Open) ? EACCES : errno);
        return false;
    }
    tempPath = name.data();
    // mkstemp makes the file private; a saved document gets the usual permissions.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    bool ok = WriteAll(fd, bytes, error);
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

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd); // best effort: the data itself is already on disk
    ::close(fd);
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

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        error = SystemReason("ファイルを開けませんでした", errno);
        return std::nullopt;
    }
    std::string data;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = SystemReason("ファイルを読めませんでした", errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        data.append(buf, static_cast<std::size_t>(n));
        if (data.size() > (64u << 20)) { // far beyond any model file
            error = "ファイルが大きすぎます";
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return data;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool ReplaceFileSafely(const std::string& path, std::string_view bytes,
                       const std::string& backupPath, std::string& error) {
    std::string temp;
    if (!WriteTempFile(path, bytes, temp, error)) return false;

    // The copy of the file being replaced is made complete on disk first; the backup it
    // replaces keeps a second name until the new file is in place, so a failure at any step
    // leaves both the file and its earlier backup as they were.
    std::string backupTemp, oldBackup;
    const bool keepBackup = !backupPath.empty() && FileExists(path);
    if (keepBackup) {
        bool copied = false;
        if (Injected(Fault::Backup)) {
            error = "バックアップファイルを作成できませんでした";
        } else if (auto old = ReadWholeFile(path, error)) {
            copied = WriteTempFile(backupPath, *old, backupTemp, error);
        }
        if (copied && FileExists(backupPath)) {
            std::vector<char> name(backupPath.begin(), backupPath.end());
            const char suffix[] = ".keepXXXXXX";
            name.insert(name.end(), suffix, suffix + sizeof suffix);
            int fd = ::mkstemp(name.data()); // reserves a free name for the link
            if (fd >= 0) {
                ::close(fd);
                oldBackup = name.data();
                ::unlink(oldBackup.c_str());
                // Where the folder takes no hard links the earlier backup moves aside instead.
                if (::link(backupPath.c_str(), oldBackup.c_str()) != 0 &&
                    ::rename(backupPath.c_str(), oldBackup.c_str()) != 0) {
                    error = SystemReason("バックアップファイルを作成できませんでした", errno);
                    oldBackup.clear();
                    copied = false;
                }
            } else {
                error = SystemReason("バックアップファイルを作成できませんでした", errno);
                copied = false;
            }
        }
        if (copied && ::rename(backupTemp.c_str(), backupPath.c_str()) != 0) {
            error = SystemReason("バックアップファイルを作成できませんでした", errno);
            copied = false;
        }
        if (!copied) {
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
