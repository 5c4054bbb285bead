#include "model/FileIo.h"

#include "model/FileParts.h"
#include "model/SystemCalls.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fileio {

// ---- Texts -----------------------------------------------------------------------------------

std::string Reason(const char* what, const std::string& why) {
    return std::string(what) + "（" + why + "）";
}

std::string SystemReason(const char* what, int err) {
    return Reason(what, ReasonText(err));
}

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

std::string ReasonText(int err) {
    static const std::pair<int, const char*> reasons[] = {
        {ENOSPC, "ディスクの空き容量が足りません"},
        {EDQUOT, "ディスクの使用量の上限を超えています"},
        {EACCES, "アクセスする権限がありません"},
        {EPERM, "アクセスする権限がありません"},
        {EROFS, "書き込みの出来ない場所です"},
        {ENOENT, "ファイルまたはフォルダーがありません"},
        {ENOTDIR, "フォルダーの指定が正しくありません"},
        {EISDIR, "ファイルではなくフォルダーです"},
        {ENAMETOOLONG, "ファイル名が長すぎます"},
        {ELOOP, "シンボリックリンクが循環していて、たどれません"},
        {EIO, "ディスクの読み書きで異常が起きました"},
        {EMFILE, "開いているファイルが多すぎます"},
        {ENFILE, "開いているファイルが多すぎます"},
        {EBUSY, "ファイルが使用中です"},
        {ETXTBSY, "ファイルが使用中です"},
        {EEXIST, "同じ名前のファイルがあります"},
        {EXDEV, "別のドライブへは移せません"},
    };
    for (const auto& [number, text] : reasons)
        if (number == err) return text;
    return "システムのエラー（番号 " + std::to_string(err) + "）";
}

// ---- Descriptors and bytes ------------------------------------------------------------------

Fd& Fd::operator=(Fd&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) Sys().close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

Fd::~Fd() {
    if (fd_ >= 0) Sys().close(fd_);
}

HeldFolder::~HeldFolder() {
    if (fd >= 0) Sys().close(fd);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool SameState(const struct stat& a, const struct stat& b) {
    return SameFile(a, b) && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

Fd OpenExamined(int dir, const std::string& name, int flags, const struct stat* examined,
                const char* what, std::string& error) {
    struct stat st;
    if (!examined) {
        // Refused by what the name holds before it is opened, so that nothing waits.
        if (Sys().fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            error = SystemReason(what, errno);
            return Fd();
        }
        if (!S_ISREG(st.st_mode)) {
            error = Reason(what, NotAFile(st.st_mode));
            return Fd();
        }
        examined = &st;
    }
    Fd fd(
        Sys().openat(dir, name.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0));
    if (!fd) {
        const int err = errno;
        error = err == ELOOP ? Reason(what, Swapped) : SystemReason(what, err);
        errno = err;
        return fd;
    }
    struct stat opened;
    if (Sys().fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        !SameFile(opened, *examined)) {
        error = Reason(what, Swapped);
        errno = ESTALE;
        return Fd();
    }
    return fd;
}

bool ReadChunks(int fd, std::size_t limit, std::string& error,
                const std::function<bool(std::string_view)>& sink) {
    char buf[65536];
    for (std::size_t done = 0; done < limit;) {
        const ssize_t n = Sys().read(fd, buf, std::min(sizeof buf, limit - done));
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

bool WriteAll(int fd, std::string_view bytes, std::string& error) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = Sys().write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? SystemReason("ファイルに書き込めませんでした", errno)
                          : "ファイルに書き込めませんでした（書き込みが進みません）";
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool Sync(int fd, std::string& error) {
    if (Sys().fsync(fd) == 0) return true;
    error = SystemReason("ファイルをディスクに書き出せませんでした", errno);
    return false;
}

void SyncFolder(const HeldFolder& folder) {
    const Fd fd(Sys().openat(folder.fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    if (fd) Sys().fsync(fd.get());
}

std::optional<Digest> DigestOfFile(int dir, const std::string& name, const struct stat& st) {
    std::string ignored;
    const Fd fd = OpenExamined(dir, name, O_RDONLY, &st, "", ignored);
    if (!fd) return std::nullopt;
    Digest digest;
    const bool whole = ReadChunks(fd.get(), Largest + 1, ignored, [&](std::string_view chunk) {
        digest.add(chunk);
        return true;
    });
    if (!whole || digest.size > Largest) return std::nullopt;
    return digest;
}

namespace {

// The user's umask, read once as the program starts, before any thread runs: it can only be
// read by setting it.
const mode_t StartUmask = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}();

} // namespace

mode_t NewFileMode() {
    return 0666 & ~StartUmask;
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

// ---- Reads -----------------------------------------------------------------------------------

std::string FileAsRead::path() const {
    return folder ? Join(folder->path, leaf) : name;
}

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit,
                                         std::string& error, FileAsRead* asRead) {
    const char* const what = "ファイルを開けませんでした";
    Resolved where;
    if (!Resolve(path, false, nullptr, what, where, error)) return std::nullopt;
    std::string data;
    // Read again when the file changed while it was read: another user's save writing it in
    // place would otherwise give a mix of two versions.
    for (int attempt = 0;; ++attempt) {
        const Fd fd = OpenExamined(where.folder->fd, where.leaf, O_RDONLY, nullptr, what, error);
        struct stat before, after;
        if (!fd || Sys().fstat(fd.get(), &before) != 0) {
            if (fd) error = SystemReason(what, errno);
            return std::nullopt;
        }
        data.clear();
        const bool read = ReadChunks(fd.get(), limit, error, [&](std::string_view chunk) {
            data += chunk;
            return true;
        });
        if (!read) return std::nullopt;
        if (attempt == 2 || (Sys().fstat(fd.get(), &after) == 0 && SameState(before, after))) break;
    }
    if (asRead) {
        asRead->name = path;
        asRead->cutWholeCopy.clear();
        if (const std::string copy = CutWriteMark(*where.folder, where.leaf); !copy.empty())
            asRead->cutWholeCopy = Join(where.folder->path, copy);
        asRead->folder = std::move(where.folder);
        asRead->leaf = std::move(where.leaf);
        asRead->links = std::move(where.links);
        asRead->digest = DigestOf(data);
    }
    return data;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error,
                                         FileAsRead* asRead) {
    std::optional<std::string> data = ReadFileStart(path, Largest + 1, error, asRead);
    if (data && data->size() > Largest) {
        error = "ファイルが大きすぎます";
        return std::nullopt;
    }
    return data;
}

bool NamesFile(const std::string& path, const FileAsRead& file) {
    if (path == file.name) return true;
    Resolved where;
    std::string ignored;
    return file.folder && Resolve(path, false, nullptr, "", where, ignored) &&
           where.folder->device == file.folder->device &&
           where.folder->inode == file.folder->inode && where.leaf == file.leaf;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

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
